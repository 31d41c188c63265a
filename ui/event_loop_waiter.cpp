// SPDX-License-Identifier: MIT
#include "ui/event_loop_waiter.h"

#include "ui/input_blocker.h"

#include <QEventLoop>
#include <QMetaObject>

namespace ui {

EventLoopWaiter::EventLoopWaiter() = default;

void EventLoopWaiter::wait() {
    if (takeWake()) {
        return;
    }
    const InputBlocker blocker;
    QEventLoop loop;
    loop_ = &loop;
    // A wake() that came between takeWake() above and here has already posted quitIfWoken(),
    // which runs inside this loop.
    loop.exec();
    loop_ = nullptr;
}

void EventLoopWaiter::wake() {
    {
        const std::lock_guard lock(mutex_);
        ++pendingWakes_;
    }
    QMetaObject::invokeMethod(
        &context_, [this] { quitIfWoken(); }, Qt::QueuedConnection);
}

void EventLoopWaiter::quitIfWoken() {
    // A wake that came before its wait() was consumed there; its posted call finds no loop,
    // or a later wait's loop with no wake pending, and leaves both alone.
    if (loop_ != nullptr && takeWake()) {
        loop_->quit();
    }
}

bool EventLoopWaiter::takeWake() {
    const std::lock_guard lock(mutex_);
    if (pendingWakes_ == 0) {
        return false;
    }
    --pendingWakes_;
    return true;
}

} // namespace ui
