// SPDX-License-Identifier: MIT
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace sound {

// How the thread that plays a synchronous cue waits for its end. The cue player calls wake()
// exactly once for every wait() it makes, and only for the cue being waited on, so wakes and
// waits pair one to one and a wake never outlives its cue.
class Waiter {
public:
    virtual ~Waiter() = default;
    // Blocks the calling thread until wake() has been called once for this wait. wake() may come
    // from any thread, and may come before wait() starts (then wait() returns at once).
    virtual void wait() = 0;
    virtual void wake() = 0; // thread-safe
};

// For a caller with no event loop to keep running: the thread simply sleeps.
class BlockingWaiter final : public Waiter {
public:
    void wait() override;
    void wake() override;

private:
    std::mutex mutex_;
    std::condition_variable woken_;
    // Wakes not yet consumed by a wait: each wait takes exactly one.
    std::uint64_t pendingWakes_ = 0;
};

} // namespace sound
