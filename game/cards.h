// SPDX-License-Identifier: MIT
#pragma once

#include "game/bets.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace game {

inline constexpr int kDeckSize = 36;
inline constexpr int kLowestValue = 2;
inline constexpr int kHighestValue = 11;
inline constexpr int kSuits = 4;

// A card is known only by its name: a blank, the rank word, a blank, the suit word.
// Positions in the deck are counted from 1, so position p is element p - 1.
using CardNames = std::array<std::string, kDeckSize>;
// Row v - 2 holds the four cards of value v, suits in the order червы, бубны, треф, пики.
// The row of value 5 stays empty: no card is worth 5.
using CardGrid = std::array<std::array<std::string, kSuits>, kHighestValue - kLowestValue + 1>;
using BetValues = std::array<std::uint8_t, kBets.size()>;

[[nodiscard]] CardNames makeDeckOrder();
[[nodiscard]] CardGrid makeCardGrid();
[[nodiscard]] BetValues makeBetValues();

// The value of the card of that exact name (case and leading blank count), or nothing
// when no cell of the grid holds it.
[[nodiscard]] std::optional<std::uint8_t> cardValue(const CardGrid& grid, std::string_view name);

enum class Suit : std::uint8_t { Hearts, Diamonds, Clubs, Spades }; // червы, бубны, треф, пики
enum class Rank : std::uint8_t { Six, Seven, Eight, Nine, Ten, Jack, Queen, King, Ace };

// A card as a picture knows it; the rules themselves know a card only by its name.
struct Card {
    Rank rank;
    Suit suit;

    bool operator==(const Card&) const = default;
};

// The cards a hand text names, in its order: each name of the grid where it stands in the text,
// with the blank that opens it and a blank or the end of the text after it. Whatever else the
// text holds is passed over.
[[nodiscard]] std::vector<Card> cardsOfHand(const CardGrid& grid, std::string_view handText);

} // namespace game
