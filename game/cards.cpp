// SPDX-License-Identifier: MIT
#include "game/cards.h"

namespace game {
namespace {

constexpr std::array<std::string_view, kSuits> kSuitWords{"червы", "бубны", "треф", "пики"};

struct RankWord {
    std::string_view word;
    std::uint8_t value;
    Rank rank;
};

// In the order of the fixed deck.
constexpr std::array<RankWord, 9> kRanks{{
    {"валет", 2, Rank::Jack},
    {"дама", 3, Rank::Queen},
    {"король", 4, Rank::King},
    {"туз", 11, Rank::Ace},
    {"шесть", 6, Rank::Six},
    {"семь", 7, Rank::Seven},
    {"восемь", 8, Rank::Eight},
    {"девять", 9, Rank::Nine},
    {"десять", 10, Rank::Ten},
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
    for (const RankWord& rank : kRanks) {
        for (std::string_view suit : kSuitWords) {
            order[position++] = cardName(rank.word, suit);
        }
    }
    return order;
}

CardGrid makeCardGrid() {
    CardGrid grid{};
    for (const RankWord& rank : kRanks) {
        for (std::size_t suit = 0; suit < kSuits; ++suit) {
            grid[rank.value - kLowestValue][suit] = cardName(rank.word, kSuitWords[suit]);
        }
    }
    return grid;
}

BetValues makeBetValues() {
    BetValues values{};
    for (std::size_t index = 0; index < values.size(); ++index) {
        values[index] = static_cast<std::uint8_t>(kBets.at(index).amount);
    }
    return values;
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

// Each value belongs to one rank, so the row a name stands in gives its rank as well.
std::vector<Card> cardsOfHand(const CardGrid& grid, std::string_view handText) {
    std::vector<Card> cards;
    std::size_t position = handText.find(' ');
    while (position < handText.size()) {
        const std::string_view rest = handText.substr(position);
        std::size_t taken = 0;
        for (const RankWord& rank : kRanks) {
            const auto& row = grid[rank.value - kLowestValue];
            for (std::size_t suit = 0; suit < kSuits && taken == 0; ++suit) {
                const std::string_view name = row[suit];
                if (!name.empty() && rest.starts_with(name) &&
                    (rest.size() == name.size() || rest[name.size()] == ' ')) {
                    cards.push_back({rank.rank, static_cast<Suit>(suit)});
                    taken = name.size();
                }
            }
        }
        position = taken != 0 ? position + taken : handText.find(' ', position + 1);
    }
    return cards;
}

} // namespace game
