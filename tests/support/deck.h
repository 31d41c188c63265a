// SPDX-License-Identifier: MIT
#pragma once

#include "game/cards.h"
#include "game/table_state.h"

#include <string>
#include <vector>

// Decks stacked for a test, by the shuffle's own draws or straight into the table.
namespace kit {

// The fraction that makes a draw of u * scale + offset land on the whole number wanted; just
// below 1 for the top value, as a source of fractions in [0, 1) gives it.
[[nodiscard]] double fractionFor(int wanted, double scale, double offset);

// The fractions that make the next shuffle put these cards first, in this order, and the rest of
// the deck after them in the fixed order. A name that is no card throws std::invalid_argument.
[[nodiscard]] std::vector<double> shuffleFractions(const std::vector<std::string>& firstCards);

// Lays these cards into the deck from position `from` on, and the rest of the fixed order into
// the other positions.
void stackDeck(game::TableState& table, int from, const std::vector<std::string>& cards);

// Every card of the fixed order exactly once. Linear: the soak asks after every click.
[[nodiscard]] bool isPermutationOfTheDeck(const game::CardNames& deck);

} // namespace kit
