// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

namespace ui {

// While it exists, the player's input to every widget of the application is thrown away: mouse
// buttons, wheel, keys, shortcuts, touch and context menus. Paint, timers and the close box still
// get through. Unlike QEventLoop::ExcludeUserInputEvents, which only holds such events back until
// later, nothing is delivered afterwards: a click made while a cue plays is simply lost.
class InputBlocker final : public QObject {
    Q_OBJECT

public:
    InputBlocker();
    ~InputBlocker() override;
    InputBlocker(const InputBlocker&) = delete;
    InputBlocker& operator=(const InputBlocker&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace ui
