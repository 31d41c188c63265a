// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace cuetiming {

// What happens in a match, as far as the cue player can tell: a cue, or a pause in which the
// player reads a box or reaches for a button.
struct Step {
    enum class Kind { Cue, Box, Click };
    Kind kind;
    std::string cue; // for a cue
    bool sync = false;
};

// The steps of real matches, played by the rules with a player who clicks a random offered
// button and answers every box OK or Yes, until at least `cues` cues have been played.
[[nodiscard]] std::vector<Step> matchScript(std::size_t cues, std::uint64_t seed);

} // namespace cuetiming
