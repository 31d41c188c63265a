// SPDX-License-Identifier: MIT
#pragma once

#include "game/cues.h"

#include <string_view>

namespace game {

enum class Outcome { PlayerWins, ComputerWins, Tie };

// One line of a settlement table: the cue, the computer's comment and what happens to the stake.
struct SettlementCase {
    Cue cue;
    std::string_view message;
    Outcome outcome;
};

} // namespace game
