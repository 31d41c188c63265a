// SPDX-License-Identifier: MIT
#pragma once

#include "game/cue_player.h"
#include "game/waiter.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

namespace sound {

struct WorkerState; // what the player shares with its worker, which may outlive it

// Plays cues through a PulseAudio server (or anything speaking its protocol, PipeWire's included)
// on one worker thread. A cue that cannot be played ends at once without a trace. The connection
// is kept from one cue to the next while they come close together (PipeWire takes tens of
// milliseconds to open one) and closed once the player has been idle for two seconds, so a server
// that comes or goes between cues is simply found or missed.
//
// A synchronous cue returns when the server has 15 ms of it left to play: a next cue played at
// once then joins the stream before it runs dry and follows without a gap, on PipeWire too, and
// a cue that nothing follows has its last samples played out all the same.
//
// Nothing the server does can hold the game. A synchronous cue is waited for no longer than its
// own length plus kSyncMargin; a server that has not played it by then (stopped, or stalled on
// its device) has it abandoned, and every cue is dropped at once until the worker comes back
// from that server. Shutdown is bounded in the same way: a worker still stuck then is left
// behind with what it uses.
//
// A synchronous cue cannot be interrupted by another play(): a play() that arrives while one is
// being waited on (from the waiter's own event loop, say) is dropped.
class PulseCuePlayer final : public game::CuePlayer {
public:
    static constexpr std::chrono::milliseconds kSyncMargin{1000};
    static constexpr std::chrono::milliseconds kShutdownBound{250};

    // waiter must outlive the player. Cues are looked up by name in folders, in order.
    PulseCuePlayer(game::Waiter& waiter, std::vector<std::filesystem::path> folders);
    // Cuts off whatever plays and ends the worker.
    ~PulseCuePlayer() override;
    PulseCuePlayer(const PulseCuePlayer&) = delete;
    PulseCuePlayer& operator=(const PulseCuePlayer&) = delete;

    void play(std::string_view name, game::CueMode mode) override;

private:
    // Waits for the end of the synchronous cue id, or gives it up after bound.
    void awaitEnd(std::uint64_t id, std::chrono::microseconds bound);

    game::Waiter& waiter_;
    const std::vector<std::filesystem::path> folders_;
    bool waiting_ = false; // a synchronous cue is being waited on
    // The cue the worker was still playing when a synchronous wait gave up on it; 0 when none.
    std::uint64_t abandoned_ = 0;
    std::shared_ptr<WorkerState> shared_;
    std::thread worker_;
};

} // namespace sound
