// SPDX-License-Identifier: MIT
#pragma once

#include "game/rules_file.h"

#include <functional>

class QWidget;

namespace game {
class Game;
}

namespace ui {

class Form1;

// Everything in the window that runs a handler of the game.
enum class Command {
    Command1,
    Command2,
    Command3,
    Command4,
    Command5,
    Command6,
    Command7,
    Command8,
    Command9,
    NewMatch,
    Exit,
    About,
    Rules,
};

// Runs the handlers of the game for clicks. The rules end the program by throwing
// game::Termination; it is caught here and nowhere else during play: the window is taken off the
// screen and disabled so no further click can reach the rules, and the main loop is told to
// finish with status 0. Any other exception is a fault and is left to end the program.
class ClickDispatch {
public:
    explicit ClickDispatch(QWidget& window);

    void run(const std::function<void()>& handler);
    [[nodiscard]] bool ended() const { return ended_; }

private:
    QWidget& window_;
    bool ended_ = false;
};

// Connects every button's clicked() and every menu item's triggered() of the window to one call
// of onCommand.
void connectCommands(Form1& form, std::function<void(Command)> onCommand);

// The one handler of the game that a command runs.
void runCommand(game::Game& game, Command command,
                const std::function<game::RulesFile()>& readRules);

} // namespace ui
