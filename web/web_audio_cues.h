// SPDX-License-Identifier: MIT
#pragma once

#include "game/cue_player.h"

namespace web {

// The cues through Web Audio, played by the page's shell from the WAVs in the page's folder. A
// synchronous cue is awaited until the shell says its last sample has played, or at most its
// length and a second; a cue that cannot be decoded returns at once.
class WebAudioCues final : public game::CuePlayer {
public:
    void play(game::Cue cue, game::CueMode mode) override;
};

} // namespace web
