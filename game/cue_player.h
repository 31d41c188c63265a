// SPDX-License-Identifier: MIT
#pragma once

#include "game/cues.h"

namespace game {

enum class CueMode {
    Sync,  // returns when the last sample has been played
    Async, // returns at once; the next cue of either mode cuts it off
};

// Plays one of the game's cues. A cue that cannot be played returns at once and changes
// nothing: the rules never learn whether it was heard.
class CuePlayer {
public:
    virtual ~CuePlayer() = default;
    virtual void play(Cue cue, CueMode mode) = 0;
};

} // namespace game
