// SPDX-License-Identifier: MIT
// Closes the game's window while a synchronous cue is being waited for. The process must end
// there with status 0; the wait must never return.
#include "ui/event_loop_waiter.h"
#include "ui/form1.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    ui::Form1 form;
    form.show();
    ui::EventLoopWaiter waiter;
    QTimer::singleShot(50, &form, [&form] { form.close(); });
    std::puts("waiting");
    std::fflush(stdout);
    // If closing did not end the process, the deadline ends the wait so the failure shows.
    waiter.waitUntil([] { return false; }, game::Waiter::Clock::now() + std::chrono::seconds(3));
    std::puts("returned");
    return 3;
}
