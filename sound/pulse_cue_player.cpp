// SPDX-License-Identifier: MIT
#include "sound/pulse_cue_player.h"

#include "sound/cue_file.h"
#include "sound/pulse_output.h"

#include <chrono>
#include <utility>

namespace sound {

namespace {

// A cue lasts about a second; a longer file is played only this far.
constexpr std::chrono::seconds kLongestCue{20};
// How long past its own length a synchronous cue is waited for.
constexpr std::chrono::milliseconds kSyncMargin{1000};

} // namespace

PulseCuePlayer::PulseCuePlayer(game::Waiter& waiter, std::vector<std::filesystem::path> folders)
    : waiter_(waiter), folders_(std::move(folders)),
      output_(std::make_unique<PulseOutput>(waiter)) {}

PulseCuePlayer::~PulseCuePlayer() = default;

void PulseCuePlayer::play(game::Cue cue, game::CueMode mode) {
    play(game::cueFile(cue), mode);
}

void PulseCuePlayer::play(std::string_view name, game::CueMode mode) {
    if (waiting_ || !soundOn_) {
        return;
    }
    try {
        std::optional<Cue> cue = loadCue(folders_, name, kLongestCue);
        const std::chrono::microseconds length = cue ? cue->length() : std::chrono::microseconds{};
        const std::uint64_t id = ++lastId_;
        output_->start(id, std::move(cue), name);
        if (mode == game::CueMode::Async) {
            return;
        }
        waiting_ = true;
        waiter_.waitUntil([this, id] { return output_->over(id); },
                          game::Waiter::Clock::now() + length + kSyncMargin);
        waiting_ = false;
        if (!output_->over(id)) {
            output_->giveUp(id);
        }
    } catch (...) {
        waiting_ = false; // out of memory: the cue is simply not heard
    }
}

void PulseCuePlayer::setSoundOn(bool on) {
    soundOn_ = on;
    if (!on) {
        output_->stop();
    }
}

} // namespace sound
