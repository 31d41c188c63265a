// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace ui {

// Tells a screen reader the money once it has changed, in one plain sentence («Ваши деньги 975,
// деньги компьютера 975, на кону 50»), however many captions one command changed. A screen reader
// says the focused control's description with it, so the sentence rides on the next focus the
// command gives (the hand with its cards, a box's button after its text), and is spoken after
// what that focus says rather than cutting it off; a command that moves no focus has it told as a
// change of the focused control's description once the command is over. A control's own
// description comes back once the focus has left it.
class SpokenMoney final : public QObject {
    Q_OBJECT

public:
    explicit SpokenMoney(std::function<QString()> sentence, QObject* parent = nullptr);

    void changed();
    // A command of the window runs between these; changes made outside one (the greeting) are
    // told once the event loop runs again.
    void commandStarted();
    void commandOver();

private:
    void focusChanged(QWidget* now);
    void carry(QWidget* widget);
    void giveBack();

    std::function<QString()> sentence_;
    enum class State {
        Told,          // nothing to tell
        InCommand,     // every focus the command gives carries the sentence
        AwaitingFocus, // the command is over, the focus it gave is still to come
    };
    [[nodiscard]] bool carries(const QWidget* widget) const;

    State state_ = State::Told;
    bool inCommand_ = false;
    struct Carrier {
        QPointer<QWidget> widget;
        QString ownDescription;
    };
    std::vector<Carrier> carriers_;
};

} // namespace ui
