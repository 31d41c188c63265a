// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "sound_server.h"

namespace soundtest {
class MonitorRecorder;
}

namespace soundtest {

using Clock = std::chrono::steady_clock;

// One cue as the player was asked for it.
struct PlayedCue {
    std::string name;
    std::vector<float> sound; // its file, mono, at the recorder's rate
    bool sync = false;
    bool backToBack = false; // a synchronous cue right after a synchronous one, nothing between
    Clock::time_point called;
    Clock::time_point returned;
};

// The shortest stretch of silence that counts as a hole: 3 ms at the recorder's 44.1 kHz.
inline constexpr std::size_t kShortestHole = 44'100 * 3 / 1000;

// A stretch of digital silence inside a cue where its file is loud.
struct Hole {
    double atMs;
    double lengthMs;
    Clock::time_point heard; // when its first sample of silence was heard
    bool referenceSilent;    // the recorder's reference tone fell silent over it too
};

// Whose a hole is. The server's: it missed a step of its graph, which silenced the reference tone
// beside the cue too, or which it logged. The game's: its stream ran dry while the reference
// played on. Neither: no account of either explains it.
enum class Charge { Server, Game, Unexplained };

// What was seen going wrong while a hole was heard: the reference tone, and what the server
// logged, give or take a step.
struct HoleAccount {
    bool referenceSilent = false;
    int ranDry = 0;
    int missedSteps = 0;
    [[nodiscard]] Charge charge() const {
        if (referenceSilent) {
            return Charge::Server;
        }
        if (ranDry > 0) {
            return Charge::Game;
        }
        return missedSteps > 0 ? Charge::Server : Charge::Unexplained;
    }
};
[[nodiscard]] HoleAccount accountOf(const Hole& hole, const std::vector<Mishap>& mishaps);
// The hole and its account in words, for a failure's message or a measurement.
[[nodiscard]] std::string evidence(const Hole& hole, const HoleAccount& account);

// The same cue as the sink's monitor holds it.
struct HeardCue {
    std::optional<std::size_t> onset; // where it starts in the recording; none when not heard
    bool cutOffAtOnce = false;        // an asynchronous cue the next one replaced almost at once
    std::vector<Hole> holes;
    std::optional<double> returnedMs;      // a synchronous cue's return, from its last sample heard
    std::optional<double> silenceBeforeMs; // back to back: from the cue before's last sample
};

// A sound file's samples, its channels averaged, as the recorder hears them; it must be at the
// recorder's rate.
[[nodiscard]] std::vector<float> monoSamples(const std::filesystem::path& file);

// Finds each cue in the recording, in order, and what was heard of it.
[[nodiscard]] std::vector<HeardCue> analyse(const std::vector<PlayedCue>& played,
                                            const soundtest::MonitorRecorder& recorder);

} // namespace soundtest
