// SPDX-License-Identifier: MIT
#include "sound/waiter.h"

namespace sound {

void BlockingWaiter::wait() {
    std::unique_lock lock(mutex_);
    woken_.wait(lock, [this] { return pendingWakes_ > 0; });
    --pendingWakes_;
}

void BlockingWaiter::wake() {
    {
        std::lock_guard lock(mutex_);
        ++pendingWakes_;
    }
    woken_.notify_one();
}

} // namespace sound
