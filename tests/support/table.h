// SPDX-License-Identifier: MIT
#pragma once

#include "game/command.h"
#include "game/game.h"
#include "game/table_state.h"
#include "recording_world.h"

#include <string>
#include <vector>

namespace kit {

using game::Phase;

// One game in a recording world, its tables filled, and the ways to put it into a position
// directly, logging nothing: the position, the clicks, the expected log.
struct Table {
    RecordingWorld world;
    game::TableState state;
    game::Game game{world, world, world, world, state};

    Table() { game::initTables(state); }

    void setMoney(int player, int computer, int stake);
    // The window as the phase leaves it.
    void enterPhase(game::Phase phase) { world.phase = phase; }
    // The deck with these cards from position `from` on (see kit::stackDeck()).
    void stackDeck(int from, const std::vector<std::string>& cards);
};

// The button that bets this much: 25, 50, 100 or 200.
[[nodiscard]] game::Command betButton(int bet);

} // namespace kit
