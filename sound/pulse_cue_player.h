// SPDX-License-Identifier: MIT
#pragma once

#include "game/cue_player.h"
#include "game/waiter.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

namespace sound {

class PulseOutput;

// Plays cues through a PulseAudio server, or anything speaking its protocol (PipeWire through
// pipewire-pulse). A cue that cannot be played ends at once without a trace; without a server
// the game is simply silent.
//
// Nothing the server does can hold the game. A synchronous cue is waited for no longer than its
// own length and a second; a server that has not played it by then (stopped, or stalled on
// its device) has it given up, and every cue is dropped at once until the server answers again.
//
// A synchronous cue cannot be interrupted by another play(): a play() that arrives while one is
// being waited on (from the waiter's own event loop, say) is dropped.
//
// The player's own sound switch: with the sound off every cue returns at once unheard, as one
// that cannot be played does, so the game runs on exactly as with sound but never waits in
// silence. Nothing of it is kept between runs, and the mixer's setting for the game is left alone.
class PulseCuePlayer final : public game::CuePlayer {
public:
    // waiter must outlive the player. Cues are looked up by name in folders, in order.
    PulseCuePlayer(game::Waiter& waiter, std::vector<std::filesystem::path> folders);
    // Cuts off whatever plays.
    ~PulseCuePlayer() override;
    PulseCuePlayer(const PulseCuePlayer&) = delete;
    PulseCuePlayer& operator=(const PulseCuePlayer&) = delete;

    void play(game::Cue cue, game::CueMode mode) override;
    // Any file by bare name, as the game's own cues are played.
    void play(std::string_view file, game::CueMode mode);
    // Off cuts off whatever plays at once, a synchronous cue being waited on included, which then
    // returns. On again, the next cue plays. On from the start.
    void setSoundOn(bool on);

private:
    game::Waiter& waiter_;
    const std::vector<std::filesystem::path> folders_;
    std::unique_ptr<PulseOutput> output_;
    std::uint64_t lastId_ = 0;
    bool waiting_ = false; // a synchronous cue is being waited on
    bool soundOn_ = true;
};

} // namespace sound
