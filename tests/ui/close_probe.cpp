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
    // If closing did not end the process, this wakes the wait so the failure shows.
    QTimer::singleShot(3000, &form, [&waiter] { waiter.wake(); });
    std::puts("waiting");
    std::fflush(stdout);
    waiter.wait();
    std::puts("returned");
    return 3;
}
