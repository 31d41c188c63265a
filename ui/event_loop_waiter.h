// SPDX-License-Identifier: MIT
#pragma once

#include "game/waiter.h"

#include <QObject>

class QEventLoop;

namespace ui {

// Waits for a synchronous cue on the window's thread without freezing the window: a nested event
// loop keeps it painting while the player's clicks and keys are thrown away (see InputBlocker),
// so that the handler that played the cue runs on as soon as the cue ends, and nothing the player
// did meanwhile runs after it. waitUntil() on the GUI thread; notify() from any thread.
class EventLoopWaiter final : public game::Waiter {
public:
    void waitUntil(const std::function<bool()>& done, Clock::time_point deadline) override;
    void notify() override;

private:
    QObject context_; // lives on the GUI thread: where notify() posts to, and dies with us
    // The innermost wait under way, GUI thread only.
    QEventLoop* loop_ = nullptr;
    const std::function<bool()>* done_ = nullptr;
};

} // namespace ui
