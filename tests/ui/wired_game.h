// SPDX-License-Identifier: MIT
#pragma once

#include "game/cue_player.h"
#include "game/game.h"
#include "game/random_source.h"
#include "scripted_dialogs.h"
#include "ui/form1.h"
#include "ui/qt_view.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace ui::test {

// Fractions from a script, so that a test can stack the deck and choose the rolls. Past the
// script's end it hands out every deck position in turn, so that a rule drawing more than the
// test expected still gets through its shuffle instead of redrawing a taken position forever;
// overdrawn() counts those draws.
class ScriptedFractions final : public game::RandomSource {
public:
    void reseed() override {}
    [[nodiscard]] double nextFraction() override;

    // The next shuffle puts these cards first, in this order, and the rest of the deck after
    // them in the fixed order.
    void stackShuffle(const std::vector<std::string>& firstCards);
    // A roll of the chance events of the computer-first opening, 0 to 20.
    void scriptEventRoll(int roll);
    // The computer's random bet, by its position 1 to 4 among 25, 50, 100, 200.
    void scriptBetIndex(int index);

    [[nodiscard]] std::size_t left() const { return script_.size(); }
    [[nodiscard]] int overdrawn() const { return overdrawn_; }

private:
    std::deque<double> script_;
    int overdrawn_ = 0;
};

// What the window shows of the game at one moment.
struct WindowState {
    QString label4;
    QString label6;
    QString label8;
    QString hand;
    QStringList shown; // the visible ones of Text1 and Command1..Command9, in that order

    bool operator==(const WindowState&) const = default;
};

// For QCOMPARE's failure message.
[[nodiscard]] char* toString(const WindowState& state);

// The window wired to the rules exactly as the executable wires them (Form1, QtView and the
// command connections), with the world replaced by scripts: the boxes
// answered by ScriptedDialogs, the cues recorded, the random fractions scripted. Cues and boxes
// land in one ordered log:
//   cue deal.wav sync | cue deal.wav async | box OK "<title>" "<prompt>" | input "<title>"
//   "<prompt>"
// and the window is photographed at each box, as the player sees it behind the box.
class WiredGame {
public:
    WiredGame();

    // The start-up sequence of the executable with the given name typed into the greeting: the
    // rules greet the player and open a match; then the window is shown and activated.
    void start(const QString& name);

    // The next count message boxes are answered OK.
    void answerOk(int count);
    // Runs while the next message box is open, as if the player did it behind the box.
    void whileNextBoxIsOpen(std::function<void()> act) { whileBoxOpen_ = std::move(act); }

    // Presses the button with the mouse, as a player would; false (with a warning saying why)
    // when the player could not have pressed it.
    [[nodiscard]] bool click(game::Control button);

    // The log and the pictures taken at the boxes since the last call, which are then forgotten.
    [[nodiscard]] QStringList takeEvents();
    [[nodiscard]] std::vector<WindowState> takeWindowsAtBoxes();

    [[nodiscard]] WindowState window() const;

    Form1& form() { return form_; }
    ScriptedDialogs& dialogs() { return script_; }
    ScriptedFractions& random() { return random_; }
    game::Game& game() { return game_; }
    game::TableState& table() { return table_; }

private:
    class Cues final : public game::CuePlayer {
    public:
        explicit Cues(QStringList& events) : events_(events) {}
        void play(std::string_view name, game::CueMode mode) override;

    private:
        QStringList& events_;
    };

    // Passes every box on to the script and notes it, with the window behind it, in order
    // with the cues. A box the script did not expect fails the test and is closed unanswered,
    // instead of throwing through the window's event handling.
    class LoggedDialogs final : public Dialogs {
    public:
        explicit LoggedDialogs(WiredGame& wired) : wired_(wired) {}
        int messageBox(QWidget* parent, const QString& title, const QString& prompt,
                       game::Buttons buttons) override;
        std::optional<QString> inputBox(QWidget* parent, const QString& title,
                                        const QString& prompt) override;

    private:
        WiredGame& wired_;
    };

    void noteBox();
    void noteUnexpectedBox();

    QStringList events_;
    std::vector<WindowState> windowsAtBoxes_;
    std::function<void()> whileBoxOpen_;
    Form1 form_;
    ScriptedDialogs script_;
    LoggedDialogs dialogs_{*this};
    QtView view_{form_, dialogs_};
    Cues cues_{events_};
    ScriptedFractions random_;
    game::TableState table_;
    game::Game game_{view_, cues_, random_, table_};
};

// A box with an OK button and the game's title, as the log spells it.
[[nodiscard]] QString okBox(const char* prompt);
[[nodiscard]] QString cue(const char* name);      // a synchronous cue
[[nodiscard]] QString asyncCue(const char* name); // an asynchronous cue

} // namespace ui::test
