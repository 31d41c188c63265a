// SPDX-License-Identifier: MIT
#pragma once

#include "game/command.h"

#include <array>
#include <optional>
#include <string_view>

namespace game {

// One item of the menu bar, in the order the bar shows them; a menu is opened by the first
// item that names it.
struct MenuItemRow {
    std::string_view menuName; // the menu's object name
    std::string_view menuCaption;
    std::string_view name; // the item's object name
    std::string_view caption;
    // In the portable form both homes read ("F2", "Ctrl+F4"); empty: none.
    std::string_view shortcut;
    // What the item asks of the game; none for the sound switch, which is checkable, checked
    // at start, and turns the cues off and on without running a rule.
    std::optional<Command> command;
};

// clang-format off
inline constexpr std::array<MenuItemRow, 5> kMenuItems{{
    {"игра", "Игра", "новая", "Новая", "F2", Command::NewMatch},
    {"игра", "Игра", "звук", "Звук", "Ctrl+M", std::nullopt},
    {"игра", "Игра", "выход", "Выход", "Ctrl+F4", Command::Exit},
    {"помощь", "Помощь", "опрог", "О программе", "", Command::About},
    {"помощь", "Помощь", "правила", "Правила игры", "F1", Command::Rules},
}};
// clang-format on

} // namespace game
