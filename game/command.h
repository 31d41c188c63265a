// SPDX-License-Identifier: MIT
#pragma once

#include "game/controls.h"

#include <array>
#include <optional>

namespace game {

// Everything the player can ask of the game: the nine buttons, each named after the button that
// gives it, then the four menu items.
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
    NewMatch, // "Новая", F2
    Exit,     // "Выход", Ctrl+F4
    About,    // "О программе"
    Rules,    // "Правила игры", F1
};

inline constexpr std::array kCommands{
    Command::Command1, Command::Command2, Command::Command3, Command::Command4, Command::Command5,
    Command::Command6, Command::Command7, Command::Command8, Command::Command9, Command::NewMatch,
    Command::Exit,     Command::About,    Command::Rules,
};

// The button that gives the command; nothing for a menu item.
[[nodiscard]] constexpr std::optional<Control> buttonOf(Command command) {
    static_assert(static_cast<int>(Control::Command9) - static_cast<int>(Control::Command1) ==
                  static_cast<int>(Command::Command9) - static_cast<int>(Command::Command1));
    if (command > Command::Command9) {
        return std::nullopt;
    }
    return static_cast<Control>(static_cast<int>(Control::Command1) + static_cast<int>(command));
}

} // namespace game
