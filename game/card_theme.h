// SPDX-License-Identifier: MIT
#pragma once

#include "game/cards.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace game {

// How the card-theme format of the decks the game draws from names a card's picture: the suit,
// an underscore and the rank ("heart_6", "club_1" for the ace). Both homes look the pictures up by
// these ids.
inline constexpr std::array<std::string_view, 9> kThemeRankIds{"6",    "7",     "8",    "9", "10",
                                                               "jack", "queen", "king", "1"};
inline constexpr std::array<std::string_view, kSuits> kThemeSuitIds{"heart", "diamond", "club",
                                                                    "spade"};

[[nodiscard]] inline std::string themeElementId(Card card) {
    return std::string(kThemeSuitIds[static_cast<std::size_t>(card.suit)]) + '_' +
           std::string(kThemeRankIds[static_cast<std::size_t>(card.rank)]);
}

} // namespace game
