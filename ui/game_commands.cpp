// SPDX-License-Identifier: MIT
#include "ui/click_dispatch.h"

#include "game/game.h"

namespace ui {

void runCommand(game::Game& game, Command command,
                const std::function<game::RulesFile()>& readRules) {
    switch (command) {
    case Command::Command1:
        return game.command1Click();
    case Command::Command2:
        return game.command2Click();
    case Command::Command3:
        return game.command3Click();
    case Command::Command4:
        return game.command4Click();
    case Command::Command5:
        return game.command5Click();
    case Command::Command6:
        return game.command6Click();
    case Command::Command7:
        return game.command7Click();
    case Command::Command8:
        return game.command8Click();
    case Command::Command9:
        return game.command9Click();
    case Command::NewMatch:
        return game.newMatchCommand();
    case Command::Exit:
        return game.exitCommand();
    case Command::About:
        return game.aboutCommand();
    case Command::Rules:
        return game.rulesCommand(readRules());
    }
}

} // namespace ui
