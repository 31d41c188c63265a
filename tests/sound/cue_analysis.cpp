// SPDX-License-Identifier: MIT
#include "cue_analysis.h"

#include "monitor_recorder.h"
#include "test_audio.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iomanip>
#include <sstream>

namespace soundtest {

namespace {

constexpr int kRate = soundtest::MonitorRecorder::rate;
static_assert(kShortestHole == kRate * 3 / 1000);
// How a hole is told: a run at least kShortestHole long of samples all below the threshold, where
// the cue's own file is loud over the same stretch.
constexpr float kDigitalSilence = 1e-4f;
constexpr double kLoud = 0.05;
// Where a cue's start is looked for, from the moment it was asked for.
constexpr auto kEarliest = std::chrono::milliseconds(40);
constexpr auto kLatest = std::chrono::milliseconds(700);
// An asynchronous cue cut off sooner than this is not looked for.
constexpr auto kAtOnce = std::chrono::milliseconds(50);
// How much of a cue's start is matched against the recording, and how well it must match.
constexpr std::size_t kMatchSamples = 4096;
constexpr double kHeard = 0.8;
// A buzz matches itself a period early or late as well; its best match lies within this of the
// first good one, and a card dealt after a card lies further on.
constexpr std::size_t kPeakWidth = kRate * 30 / 1000;
// How much of a synchronous cue's end a cue after it may seem to cover, for the matching.
constexpr std::size_t kOverlap = kRate * 20 / 1000;
// How far from a hole what the server logged of it may lie.
constexpr auto kLoggedWithin = std::chrono::milliseconds(60);

double rms(const std::vector<float>& samples, std::size_t from, std::size_t to) {
    to = std::min(to, samples.size());
    if (from >= to) {
        return 0.0;
    }
    double sum = 0.0;
    for (std::size_t i = from; i < to; ++i) {
        sum += static_cast<double>(samples[i]) * samples[i];
    }
    return std::sqrt(sum / static_cast<double>(to - from));
}

std::size_t samplesOf(Clock::duration duration) {
    return static_cast<std::size_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(duration).count() * kRate /
        1'000'000);
}

// The recording's index heard at time t, by the recorder's own time base around `near`.
std::size_t indexAt(const soundtest::MonitorRecorder& recorder, Clock::time_point t,
                    std::size_t near) {
    const Clock::time_point nearTime = recorder.heardAt(near);
    if (t >= nearTime) {
        return near + samplesOf(t - nearTime);
    }
    const std::size_t back = samplesOf(nearTime - t);
    return back > near ? 0 : near - back;
}

// The best match of the cue's first loud stretch in the recording, between two indexes.
std::optional<std::size_t> findOnset(const std::vector<float>& heard, std::size_t from,
                                     std::size_t to, const std::vector<float>& sound) {
    const auto loud = std::find_if(sound.begin(), sound.end(),
                                   [](float sample) { return std::abs(sample) > kLoud; });
    if (loud == sound.end()) {
        return std::nullopt;
    }
    const auto lead = static_cast<std::size_t>(loud - sound.begin());
    const std::size_t n = std::min(kMatchSamples, sound.size() - lead);
    double energy = 0.0;
    for (std::size_t k = 0; k < n; ++k) {
        energy += static_cast<double>(sound[lead + k]) * sound[lead + k];
    }
    // The first good match, at its best.
    std::optional<std::size_t> bestAt;
    double best = kHeard;
    for (std::size_t at = from + lead; at + n <= heard.size() && at <= to + lead; ++at) {
        double dot = 0.0;
        double power = 0.0;
        for (std::size_t k = 0; k < n; ++k) {
            dot += static_cast<double>(heard[at + k]) * sound[lead + k];
            power += static_cast<double>(heard[at + k]) * heard[at + k];
        }
        const double match = power > 0.0 ? dot / std::sqrt(power * energy) : 0.0;
        if (match >= best) {
            best = match;
            bestAt = at - lead;
        } else if (bestAt && at - lead > *bestAt + kPeakWidth) {
            break;
        }
    }
    return bestAt;
}

std::vector<Hole> holesIn(const std::vector<float>& heard, std::size_t onset, std::size_t length,
                          const std::vector<float>& sound,
                          const soundtest::MonitorRecorder& recorder) {
    std::vector<Hole> holes;
    const std::size_t end = std::min(onset + length, heard.size());
    std::size_t run = 0;
    for (std::size_t i = onset; i <= end; ++i) {
        if (i < end && std::abs(heard[i]) < kDigitalSilence) {
            ++run;
            continue;
        }
        const std::size_t start = i - run - onset;
        if (run >= kShortestHole && rms(sound, start, start + run) > kLoud) {
            holes.push_back({start * 1000.0 / kRate, run * 1000.0 / kRate,
                             recorder.heardAt(onset + start),
                             recorder.referenceSilent(onset + start, onset + start + run)});
        }
        run = 0;
    }
    return holes;
}

} // namespace

HoleAccount accountOf(const Hole& hole, const std::vector<Mishap>& mishaps) {
    // A stream that runs dry is logged by the server's main thread, a missed step at the next
    // step; either can be a step or two late on a busy machine, and the recorder's clock a step
    // off.
    const auto length = std::chrono::microseconds(static_cast<std::int64_t>(hole.lengthMs * 1000));
    const Clock::time_point from = hole.heard - kLoggedWithin;
    const Clock::time_point to = hole.heard + length + kLoggedWithin;
    HoleAccount account{.referenceSilent = hole.referenceSilent};
    for (const Mishap& mishap : mishaps) {
        if (mishap.at >= from && mishap.at <= to) {
            (mishap.kind == Mishap::Kind::RanDry ? account.ranDry : account.missedSteps) += 1;
        }
    }
    return account;
}

std::string evidence(const Hole& hole, const HoleAccount& account) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(1) << hole.lengthMs << " ms at " << hole.atMs
         << " ms; the reference tone beside it "
         << (account.referenceSilent ? "fell silent too" : "played on") << "; the server logged "
         << account.ranDry << " underflows of the game's stream and " << account.missedSteps
         << " missed steps around it";
    return text.str();
}

std::vector<float> monoSamples(const std::filesystem::path& file) {
    const Decoded decoded = decode(file);
    const auto channels = static_cast<std::size_t>(std::max(decoded.channels, 1));
    std::vector<float> mono;
    for (std::size_t i = 0; i + channels <= decoded.samples.size(); i += channels) {
        float sum = 0.0f;
        for (std::size_t c = 0; c < channels; ++c) {
            sum += decoded.samples[i + c];
        }
        mono.push_back(sum / static_cast<float>(channels));
    }
    return mono;
}

std::vector<HeardCue> analyse(const std::vector<PlayedCue>& played,
                              const soundtest::MonitorRecorder& recorder) {
    const std::vector<float> heard = recorder.between(0, recorder.position());
    std::vector<HeardCue> found(played.size());
    std::size_t searchFrom = 0;
    for (std::size_t i = 0; i < played.size(); ++i) {
        const PlayedCue& cue = played[i];
        // Cut off by the next cue before enough of it could be heard to be told: a card dealt
        // over a card.
        if (i + 1 < played.size() && !cue.sync && played[i + 1].called - cue.called < kAtOnce) {
            found[i].cutOffAtOnce = true;
            continue;
        }
        const std::size_t expected = indexAt(recorder, cue.called, searchFrom);
        const std::size_t from =
            std::max(searchFrom, indexAt(recorder, cue.called - kEarliest, searchFrom));
        found[i].onset = findOnset(heard, from, expected + samplesOf(kLatest), cue.sound);
        if (!found[i].onset) {
            continue;
        }
        // A cue played after a synchronous one cannot start before that one has ended, and
        // would have cut it off if it did.
        searchFrom = *found[i].onset + 1 +
                     (cue.sync ? cue.sound.size() - std::min(cue.sound.size(), kOverlap) : 0);
        std::size_t length = cue.sound.size();
        if (!cue.sync && i + 1 < played.size()) {
            // Cut off by the next cue: only what came before it counts.
            length = std::min(length, samplesOf(played[i + 1].called - cue.called));
        }
        found[i].holes = holesIn(heard, *found[i].onset, length, cue.sound, recorder);
        const std::size_t end = *found[i].onset + cue.sound.size();
        if (cue.sync) {
            found[i].returnedMs =
                std::chrono::duration<double, std::milli>(cue.returned - recorder.heardAt(end))
                    .count();
        }
        if (cue.backToBack && i > 0 && found[i - 1].onset) {
            const std::size_t before = *found[i - 1].onset + played[i - 1].sound.size();
            found[i].silenceBeforeMs =
                (static_cast<double>(*found[i].onset) - static_cast<double>(before)) * 1000.0 /
                kRate;
        }
    }
    return found;
}

} // namespace soundtest
