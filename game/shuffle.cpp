// SPDX-License-Identifier: MIT
#include "game/shuffle.h"

#include <cstddef>

namespace game {

int drawDeckPosition(RandomSource& random) {
    return scaledDraw(random, 35.0, 1.0);
}

int drawEventRoll(RandomSource& random) {
    return scaledDraw(random, 20.0, 0.0);
}

int drawBetIndex(RandomSource& random) {
    return scaledDraw(random, 3.0, 1.0);
}

void shuffleInto(const CardNames& order, Marks& marks, CardNames& deck, RandomSource& random) {
    for (std::string& slot : deck) {
        std::size_t picked = 0;
        do {
            picked = static_cast<std::size_t>(drawDeckPosition(random) - 1);
        } while (marks[picked]);
        marks[picked] = true;
        slot = order[picked];
    }
}

} // namespace game
