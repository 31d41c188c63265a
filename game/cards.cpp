// SPDX-License-Identifier: MIT
#include "game/cards.h"

namespace game {
namespace {

constexpr std::array<std::string_view, kSuits> kSuitWords{"червы", "бубны", "треф", "пики"};

struct Rank {
    std::string_view word;
    std::uint8_t value;
};

// In the order of the fixed deck.
constexpr std::array<Rank, 9> kRanks{{
    {"валет", 2},
    {"дама", 3},
    {"король", 4},
    {"туз", 11},
    {"шесть", 6},
    {"семь", 7},
    {"восемь", 8},
    {"девять", 9},
    {"десять", 10},
}};

std::string cardName(std::string_view rank, std::string_view suit) {
    std::string name = " ";
    name += rank;
    name += ' ';
    name += suit;
    return name;
}

} // namespace

CardNames makeDeckOrder() {
    CardNames order;
    std::size_t position = 0;
    for (const Rank& rank : kRanks) {
        for (std::string_view suit : kSuitWords) {
            order[position++] = cardName(rank.word, suit);
        }
    }
    return order;
}

CardGrid makeCardGrid() {
    CardGrid grid{};
    for (const Rank& rank : kRanks) {
        for (std::size_t suit = 0; suit < kSuits; ++suit) {
            grid[rank.value - kLowestValue][suit] = cardName(rank.word, kSuitWords[suit]);
        }
    }
    return grid;
}

BetValues makeBetValues() {
    return {25, 50, 100, 200};
}

std::optional<std::uint8_t> cardValue(const CardGrid& grid, std::string_view name) {
    for (std::size_t row = 0; row < grid.size(); ++row) {
        for (const std::string& cell : grid[row]) {
            if (!cell.empty() && cell == name) {
                return static_cast<std::uint8_t>(row + kLowestValue);
            }
        }
    }
    return std::nullopt;
}

} // namespace game
