// SPDX-License-Identifier: MIT
#pragma once

#include "sound/waiter.h"

#include <atomic>
#include <functional>

namespace soundtest {

// A blocking waiter that counts its waits and wakes, and can run something at the start of
// each wait, the way a window's event loop may call back into the player while it waits.
class CountingWaiter final : public sound::Waiter {
public:
    void wait() override {
        ++waits;
        if (duringWait) {
            duringWait();
        }
        inner_.wait();
    }
    void wake() override {
        ++wakes;
        inner_.wake();
    }

    std::atomic<int> waits{0};
    std::atomic<int> wakes{0};
    std::function<void()> duringWait;

private:
    sound::BlockingWaiter inner_;
};

} // namespace soundtest
