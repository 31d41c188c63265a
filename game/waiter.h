// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <functional>

namespace game {

// How the game's thread waits for what another thread finishes for it, a synchronous cue: the
// window's own waiter keeps it painting meanwhile, a plain thread just sleeps. The rules never
// see it; the cue player that plays on a thread of its own is given one by whoever wires it to
// the window.
class Waiter {
public:
    using Clock = std::chrono::steady_clock;

    virtual ~Waiter() = default;

    // Returns once done() holds or the deadline has passed, whichever comes first. done() is
    // asked on the waiting thread: at the start, and after every notify().
    virtual void waitUntil(const std::function<bool()>& done, Clock::time_point deadline) = 0;
    // Something done() looks at may have changed. Safe from any thread.
    virtual void notify() = 0;
};

} // namespace game
