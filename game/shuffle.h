// SPDX-License-Identifier: MIT
#pragma once

#include "game/cards.h"
#include "game/random_source.h"
#include "game/table_state.h"

namespace game {

// The three random draws of the rules. Each scales a fraction and rounds half to even, so
// the two end values come half as often as the others.
[[nodiscard]] int drawDeckPosition(RandomSource& random); // 1 to 36
[[nodiscard]] int drawEventRoll(RandomSource& random);    // 0 to 20
[[nodiscard]] int drawBetIndex(RandomSource& random);     // 1 to 4

// Fills deck position by position with a drawn, still free position of order, drawing again
// while the drawn position is marked. Expects every mark cleared; leaves them all set.
void shuffleInto(const CardNames& order, Marks& marks, CardNames& deck, RandomSource& random);

} // namespace game
