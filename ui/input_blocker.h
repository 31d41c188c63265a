// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QAction;

namespace ui {

// While it exists, the player's input to every widget of the application is thrown away: mouse
// buttons, wheel, keys, shortcuts, touch and context menus. Paint, timers and the close box still
// get through. Unlike QEventLoop::ExcludeUserInputEvents, which only holds such events back until
// later, nothing is delivered afterwards: a click made while a cue plays is simply lost.
//
// Only the shortcut of an item let through (the sound switch, which runs no rule) still works:
// a player who wants the cue playing silenced must not have to wait for its end.
class InputBlocker final : public QObject {
    Q_OBJECT

public:
    // Lets the action's shortcut through every blocker, for the action's lifetime.
    static void letThrough(QAction& action);

    InputBlocker();
    ~InputBlocker() override;
    InputBlocker(const InputBlocker&) = delete;
    InputBlocker& operator=(const InputBlocker&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace ui
