// SPDX-License-Identifier: MIT
#include "ui/event_loop_waiter.h"

#include "ui/input_blocker.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QTimer>

#include <utility>

namespace ui {

void EventLoopWaiter::waitUntil(const std::function<bool()>& done, Clock::time_point deadline) {
    const InputBlocker blocker;
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    timeout.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    QEventLoop* const outerLoop = std::exchange(loop_, &loop);
    const std::function<bool()>* const outerDone = std::exchange(done_, &done);
    // A notify() that came before the loop runs finds done() true here; one that comes later
    // posts a check into the loop.
    while (!done()) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            break;
        }
        timeout.start(left);
        loop.exec();
    }
    loop_ = outerLoop;
    done_ = outerDone;
}

void EventLoopWaiter::notify() {
    // Runs on the GUI thread. A check posted for a wait that has ended finds another wait or
    // none; either way it only asks done() again.
    QMetaObject::invokeMethod(
        &context_,
        [this] {
            if (loop_ != nullptr && (*done_)()) {
                loop_->quit();
            }
        },
        Qt::QueuedConnection);
}

} // namespace ui
