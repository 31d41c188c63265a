// SPDX-License-Identifier: MIT
#pragma once

#include "game/cue_player.h"
#include "sound/cue_folders.h"
#include "sound/waiter.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace sound {

// Plays cues through a PulseAudio server (or anything speaking its protocol) on one worker
// thread. A cue that cannot be played ends at once without a trace. The connection is kept from
// one cue to the next while they come close together, and closed once the player falls idle, so
// a server that comes or goes between cues is simply found or missed.
//
// A synchronous cue cannot be interrupted by another play(): a play() that arrives while one is
// being waited on (from the waiter's own event loop, say) is dropped.
class PulseCuePlayer final : public game::CuePlayer {
public:
    // waiter must outlive the player. Cues are looked up by name in folders, in order.
    PulseCuePlayer(Waiter& waiter, std::vector<std::filesystem::path> folders);
    // Cuts off whatever plays and joins the worker.
    ~PulseCuePlayer() override;
    PulseCuePlayer(const PulseCuePlayer&) = delete;
    PulseCuePlayer& operator=(const PulseCuePlayer&) = delete;

    void play(std::string_view name, game::CueMode mode) override;

private:
    struct Job {
        std::string name;
        game::CueMode mode;
        std::uint64_t generation;
    };

    struct Output;

    void run();
    void perform(const Job& job);
    // Once a cue's caller has been let go: lets the stream's last samples play out unless a
    // newer cue follows at once, and closes a stream that then stays idle.
    void rest(const Job& job);
    // True once a newer play() or the destructor has superseded the job.
    [[nodiscard]] bool supersededLocked(const Job& job) const;
    [[nodiscard]] bool superseded(const Job& job);
    // Sleeps up to the given time, or less when the job is superseded; true if it was.
    [[nodiscard]] bool sleepUnlessSuperseded(const Job& job, std::chrono::microseconds time);

    Waiter& waiter_;
    const std::vector<std::filesystem::path> folders_;
    // Empty: leave the choice of server to libpulse (PULSE_SERVER is set).
    const std::string servers_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<Job> pending_;
    std::uint64_t generation_ = 0;
    bool syncInProgress_ = false;
    bool stopping_ = false;
    // The last cue's stream, kept open for the next cue; only the worker touches it.
    std::unique_ptr<Output> output_;
    std::thread worker_; // last: starts once everything it reads is in place
};

} // namespace sound
