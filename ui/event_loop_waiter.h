// SPDX-License-Identifier: MIT
#pragma once

#include "sound/waiter.h"

#include <QObject>

#include <cstdint>
#include <mutex>

class QEventLoop;

namespace ui {

// Waits for a synchronous cue on the window's thread without freezing the window: a nested event
// loop keeps it painting while the player's clicks and keys are thrown away (see InputBlocker),
// so that the handler that played the cue runs on as soon as the cue ends, and nothing the player
// did meanwhile runs after it. Create and wait() on the GUI thread; wake() from any thread.
class EventLoopWaiter final : public sound::Waiter {
public:
    EventLoopWaiter();

    void wait() override;
    void wake() override;

private:
    // Runs on the GUI thread, posted there by wake().
    void quitIfWoken();
    [[nodiscard]] bool takeWake();

    QObject context_; // lives on the GUI thread: where wake() posts to
    std::mutex mutex_;
    std::uint64_t pendingWakes_ = 0; // guarded by mutex_
    QEventLoop* loop_ = nullptr;     // GUI thread only
};

} // namespace ui
