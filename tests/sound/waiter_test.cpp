// SPDX-License-Identifier: MIT
#include "sound/waiter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

TEST(BlockingWaiter, WakeBeforeWaitIsKeptForIt) {
    sound::BlockingWaiter waiter;
    waiter.wake();
    waiter.wait(); // returns at once; a lost wake would hang here
    SUCCEED();
}

TEST(BlockingWaiter, WaitEndsOnlyOnAWakeFromAnotherThread) {
    sound::BlockingWaiter waiter;
    std::atomic<bool> woken{false};
    std::thread waker([&] {
        std::this_thread::sleep_for(30ms);
        woken = true;
        waiter.wake();
    });
    waiter.wait();
    EXPECT_TRUE(woken);
    waker.join();
}

TEST(BlockingWaiter, EachWaitConsumesExactlyOneWake) {
    sound::BlockingWaiter waiter;
    waiter.wake();
    waiter.wake();
    waiter.wait();
    waiter.wait();

    // Both wakes are spent: a third wait must block until a third wake.
    std::atomic<bool> returned{false};
    std::thread third([&] {
        waiter.wait();
        returned = true;
    });
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(returned);
    waiter.wake();
    third.join();
    EXPECT_TRUE(returned);
}

} // namespace
