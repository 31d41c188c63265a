// SPDX-License-Identifier: MIT
#pragma once

#include "game/cue_player.h"
#include "game/game.h"
#include "game/table_state.h"
#include "recording_world.h"

#include <chrono>
#include <optional>
#include <string_view>

namespace soundtest {

// One whole player-first deal as the rules play it, from the bet to the next deal's opening
// box, with every cue going to a real cue player: the bet of 25, «Еще», then «Бери себе», which
// the player wins 18 to 17. The log holds what the window was told, cues included, in order.
class DealWithSound {
public:
    using Clock = std::chrono::steady_clock;

    // cues must outlive the deal.
    explicit DealWithSound(game::CuePlayer& cues);

    // Runs the deal's three clicks; each must pass the gate.
    void play();

    // How long the slowest click took to run to its end.
    [[nodiscard]] std::chrono::milliseconds slowestClick() const { return slowest_; }
    // From «Бери себе» to the box that tells its outcome.
    [[nodiscard]] std::chrono::duration<double, std::milli> standToOutcome() const;
    [[nodiscard]] const kit::Log& log() const { return world_.log; }

private:
    // Logs each cue where the rules ask for it, then has the real player play it.
    class HeardCues final : public game::CuePlayer {
    public:
        HeardCues(kit::RecordingWorld& log, game::CuePlayer& player) : log_(log), player_(player) {}
        void play(game::Cue cue, game::CueMode mode) override {
            log_.play(cue, mode);
            player_.play(cue, mode);
        }

    private:
        kit::RecordingWorld& log_;
        game::CuePlayer& player_;
    };

    // Keeps when the first box after «Бери себе» came.
    class TimedWorld final : public kit::RecordingWorld {
    public:
        int messageBox(std::string_view prompt, game::Buttons buttons,
                       std::string_view title) override {
            if (!firstBox) {
                firstBox = Clock::now();
            }
            return RecordingWorld::messageBox(prompt, buttons, title);
        }
        std::optional<Clock::time_point> firstBox;
    };

    TimedWorld world_;
    HeardCues cues_;
    game::TableState state_;
    game::Game game_{world_, cues_, world_, world_, state_};
    Clock::time_point stood_{};
    std::chrono::milliseconds slowest_{0};
};

} // namespace soundtest
