// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace game {

// The four bets, from the smallest: the amount, the caption of its button, and what a screen
// reader calls the button. The buttons "25" to "200" are Command6 to Command9 in this order.
struct BetRow {
    int amount;
    std::string_view caption;
    std::string_view spokenName;
    std::string_view description;
};

// clang-format off
inline constexpr std::array<BetRow, 4> kBets{{
    {25, "25", "Ставка 25", "Поставить 25 на кон"},
    {50, "50", "Ставка 50", "Поставить 50 на кон"},
    {100, "100", "Ставка 100", "Поставить 100 на кон"},
    {200, "200", "Ставка 200", "Поставить 200 на кон"},
}};
// clang-format on

namespace detail {
constexpr int parsed(std::string_view digits) {
    int value = 0;
    for (const char digit : digits) {
        value = value * 10 + (digit - '0');
    }
    return value;
}
constexpr bool captionsAndNamesSayTheAmount() {
    for (const BetRow& bet : kBets) {
        if (parsed(bet.caption) != bet.amount || !bet.spokenName.ends_with(bet.caption) ||
            bet.description.find(bet.caption) == std::string_view::npos) {
            return false;
        }
    }
    return true;
}
} // namespace detail
static_assert(detail::captionsAndNamesSayTheAmount(), "a bet's button must say its amount");

[[nodiscard]] constexpr int smallestBet() {
    return kBets.front().amount;
}
[[nodiscard]] constexpr int largestBet() {
    return kBets.back().amount;
}

} // namespace game
