// SPDX-License-Identifier: MIT
#include "game/game.h"

namespace game {

std::string_view Game::nameAt(int position) const {
    if (position < 1 || position > kDeckSize) {
        return {};
    }
    return table_.deck[static_cast<std::size_t>(position - 1)];
}

std::optional<std::uint8_t> Game::valueAt(int position) const {
    return cardValue(table_.cardGrid, nameAt(position));
}

std::optional<int> Game::pairValueAt(int position) const {
    const auto first = valueAt(position);
    const auto second = valueAt(position + 1);
    if (!first || !second) {
        return std::nullopt;
    }
    return *first + *second;
}

} // namespace game
