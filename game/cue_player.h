// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace game {

enum class CueMode {
    Sync,  // returns when the last sample has been played
    Async, // returns at once; the next cue of either mode cuts it off
};

// Plays a cue by bare file name ("deal.wav"). A cue that cannot be played returns at once
// and changes nothing: the rules never learn whether it was heard.
class CuePlayer {
public:
    virtual ~CuePlayer() = default;
    virtual void play(std::string_view name, CueMode mode) = 0;
};

} // namespace game
