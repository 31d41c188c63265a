// SPDX-License-Identifier: MIT
#pragma once

#include "game/waiter.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>

namespace soundtest {

// For a test thread with no event loop to keep running: it simply sleeps. Counts its waits, and
// can run something at the start of each, as a window's event loop may call back into the
// player while it waits.
class BlockingWaiter final : public game::Waiter {
public:
    void waitUntil(const std::function<bool()>& done, Clock::time_point deadline) override {
        ++waits;
        if (duringWait) {
            duringWait();
        }
        while (!done()) {
            std::unique_lock lock(mutex_);
            if (!notified_.wait_until(lock, deadline, [this] { return notifications_ > 0; })) {
                return;
            }
            notifications_ = 0;
        }
    }
    void notify() override {
        {
            const std::lock_guard lock(mutex_);
            ++notifications_;
        }
        notified_.notify_all();
    }

    std::atomic<int> waits{0};
    std::function<void()> duringWait;

private:
    std::mutex mutex_;
    std::condition_variable notified_;
    int notifications_ = 0;
};

} // namespace soundtest
