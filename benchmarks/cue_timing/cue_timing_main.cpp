// SPDX-License-Identifier: MIT
// Plays real matches' worth of cues through the game's cue player against a private PulseAudio
// and a private PipeWire, records each sink's monitor, and prints what a player would hear:
//   cue_timing [CUES [SEED]]        (default 220 cues per server, seed 1)
//   cue_timing --stand [DEALS]      (default 9 deals each way per server)
// Run it beside `stress-ng --cpu 2 --hdd 1` for the figures of a busy machine. Each hole is
// charged as the sound tests charge it: to the server when the reference tone beside the cues
// fell silent too or the server logged a missed step, to the game when its stream ran dry. With
// CUE_TIMING_WAV=<prefix> it keeps each recording as <prefix><server>.wav, to listen to; with
// CUE_TIMING_STREAMS set it prints the game's stream as the server lists it.
#include "benchmarks/cue_timing/match_script.h"
#include "blocking_waiter.h"
#include "cue_analysis.h"
#include "deal_with_sound.h"
#include "monitor_recorder.h"
#include "sound/pulse_cue_player.h"
#include "sound_server.h"
#include "test_audio.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sndfile.h>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using soundtest::Clock;

// How long the player takes over a box, and to reach for a button.
constexpr auto kReadingABox = 300ms;
constexpr auto kReachingForAButton = 150ms;
constexpr auto kIdle = 5s;

std::vector<soundtest::PlayedCue> play(const std::vector<cuetiming::Step>& steps,
                                       sound::PulseCuePlayer& player) {
    std::vector<soundtest::PlayedCue> played;
    bool lastWasSyncCue = false;
    for (const cuetiming::Step& step : steps) {
        if (step.kind != cuetiming::Step::Kind::Cue) {
            std::this_thread::sleep_for(
                step.kind == cuetiming::Step::Kind::Box ? kReadingABox : kReachingForAButton);
            lastWasSyncCue = false;
            continue;
        }
        soundtest::PlayedCue cue{.name = step.cue,
                                 .sound =
                                     soundtest::monoSamples(fs::path(ZUVIK_CUE_DIR) / step.cue),
                                 .sync = step.sync,
                                 .backToBack = step.sync && lastWasSyncCue,
                                 .called = Clock::now(),
                                 .returned = {}};
        player.play(step.cue, step.sync ? game::CueMode::Sync : game::CueMode::Async);
        cue.returned = Clock::now();
        played.push_back(std::move(cue));
        lastWasSyncCue = step.sync;
    }
    return played;
}

const char* whose(soundtest::Charge charge) {
    switch (charge) {
    case soundtest::Charge::Server:
        return "the server's";
    case soundtest::Charge::Game:
        return "the game's";
    case soundtest::Charge::Unexplained:
        break;
    }
    return "no one's";
}

// Context switches of every thread of this process but the main one and the recorder's.
long long wakeUps() {
    long long total = 0;
    for (const auto& task : fs::directory_iterator("/proc/self/task")) {
        std::ifstream comm(task.path() / "comm");
        std::string name;
        std::getline(comm, name);
        if (task.path().filename() == std::to_string(getpid()) || name == "monitor") {
            continue;
        }
        std::ifstream status(task.path() / "status");
        for (std::string line; std::getline(status, line);) {
            if (line.find("ctxt_switches:") != std::string::npos) {
                total += std::atoll(line.substr(line.find(':') + 1).c_str());
            }
        }
    }
    return total;
}

void measure(soundtest::ServerKind kind, const std::vector<cuetiming::Step>& steps) {
    const char* name = soundtest::nameOf(kind);
    soundtest::SoundServer server(kind);
    if (!server.failed().empty()) {
        std::printf("%s: %s\n", name, server.failed().c_str());
        return;
    }
    setenv("PULSE_SERVER", server.address().c_str(), 1);
    const bool pulseAudio = kind == soundtest::ServerKind::PulseAudio;
    soundtest::MonitorRecorder recorder(server.address(), pulseAudio ? 10ms : 25ms);
    // A fresh null sink sleeps through its first idle block before it plays anything.
    const auto deadline = Clock::now() + 10s;
    while (recorder.position() < soundtest::MonitorRecorder::rate * 3 && Clock::now() < deadline) {
        std::this_thread::sleep_for(100ms);
    }
    soundtest::BlockingWaiter waiter;
    sound::PulseCuePlayer player(waiter, {ZUVIK_CUE_DIR});
    const std::vector<soundtest::PlayedCue> played = play(steps, player);

    std::this_thread::sleep_for(kIdle);
    const long long before = wakeUps();
    const std::string streams = server.sinkInputs("Зувик");
    std::this_thread::sleep_for(kIdle);
    const long long idleWakeUps = wakeUps() - before;
    recorder.settle();
    const std::vector<soundtest::HeardCue> heard = soundtest::analyse(played, recorder);
    const std::vector<soundtest::Mishap> mishaps = server.mishaps();
    if (const char* dump = std::getenv("CUE_TIMING_WAV")) {
        const auto all = recorder.between(0, recorder.position());
        SF_INFO info{0, soundtest::MonitorRecorder::rate, 1, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 0, 0};
        SNDFILE* file = sf_open((std::string(dump) + name + ".wav").c_str(), SFM_WRITE, &info);
        sf_writef_float(file, all.data(), static_cast<sf_count_t>(all.size()));
        sf_close(file);
    }

    std::size_t found = 0, lost = 0, cutOff = 0, holes = 0, withHoles = 0, pairs = 0;
    std::array<std::size_t, 3> charged{}; // by Charge
    std::size_t serversByLogAlone = 0, serversUnlogged = 0;
    double longestSilence = -1e9, shortestSilence = 1e9, earliest = 1e9, latest = -1e9;
    for (std::size_t i = 0; i < heard.size(); ++i) {
        const soundtest::HeardCue& cue = heard[i];
        if (!cue.onset) {
            (cue.cutOffAtOnce ? cutOff : lost) += 1;
            if (!cue.cutOffAtOnce) {
                std::printf("  lost: cue %zu, %s\n", i, played[i].name.c_str());
            }
            continue;
        }
        ++found;
        holes += cue.holes.size();
        withHoles += cue.holes.empty() ? 0 : 1;
        for (const soundtest::Hole& hole : cue.holes) {
            const soundtest::HoleAccount account = soundtest::accountOf(hole, mishaps);
            const soundtest::Charge charge = account.charge();
            ++charged[static_cast<std::size_t>(charge)];
            if (charge == soundtest::Charge::Server && !account.referenceSilent) {
                ++serversByLogAlone;
            }
            if (charge == soundtest::Charge::Server && account.missedSteps == 0) {
                ++serversUnlogged;
            }
            std::printf("  hole: cue %zu, %s, %s: %s\n", i, played[i].name.c_str(), whose(charge),
                        soundtest::evidence(hole, account).c_str());
        }
        if (cue.returnedMs) {
            earliest = std::min(earliest, *cue.returnedMs);
            latest = std::max(latest, *cue.returnedMs);
            if (std::abs(*cue.returnedMs) > 25.0) {
                std::printf("  returned %+.1f ms from its last sample heard: cue %zu, %s\n",
                            *cue.returnedMs, i, played[i].name.c_str());
            }
        }
        if (cue.silenceBeforeMs) {
            ++pairs;
            longestSilence = std::max(longestSilence, *cue.silenceBeforeMs);
            shortestSilence = std::min(shortestSilence, *cue.silenceBeforeMs);
            if (*cue.silenceBeforeMs > 25.0) {
                const auto ms = [](Clock::duration d) {
                    return std::chrono::duration<double, std::milli>(d).count();
                };
                std::printf("  %.1f ms of silence before cue %zu, %s: asked for %.1f ms after "
                            "the one before returned, first heard %.1f ms after that\n",
                            *cue.silenceBeforeMs, i, played[i].name.c_str(),
                            ms(played[i].called - played[i - 1].returned),
                            ms(recorder.heardAt(*cue.onset) - played[i].called));
            }
        }
    }
    const bool running = streams.find("Corked: no") != std::string::npos;
    const auto ranDry = std::count_if(mishaps.begin(), mishaps.end(), [](const auto& mishap) {
        return mishap.kind == soundtest::Mishap::Kind::RanDry;
    });
    const auto missedSteps = static_cast<std::ptrdiff_t>(mishaps.size()) - ranDry;
    const auto gaps = recorder.referenceGaps(soundtest::kShortestHole);
    std::size_t gapSamples = 0;
    for (const auto& gap : gaps) {
        gapSamples += gap.length;
    }
    std::printf("%s: %zu cues played, %zu heard, %zu lost, %zu replaced at once by the next\n"
                "  holes: %zu, in %zu cues; charged to the server %zu (%zu of them by its log "
                "alone, %zu it never logged), to the game %zu, to no one %zu\n"
                "  the reference tone fell silent %zu times, %.1f ms in all; the server logged "
                "%td missed steps and %td underflows of the game's stream%s\n"
                "  back to back (%zu pairs): %.1f to %.1f ms of silence between\n"
                "  synchronous cues returned %.1f to %+.1f ms from their last sample heard\n"
                "  after %lld s idle: %s, %lld wake-ups of the player in the next %lld s\n",
                name, played.size(), found, lost, cutOff, holes, withHoles,
                charged[static_cast<std::size_t>(soundtest::Charge::Server)], serversByLogAlone,
                serversUnlogged, charged[static_cast<std::size_t>(soundtest::Charge::Game)],
                charged[static_cast<std::size_t>(soundtest::Charge::Unexplained)], gaps.size(),
                static_cast<double>(gapSamples) * 1000.0 / soundtest::MonitorRecorder::rate,
                missedSteps, ranDry, pulseAudio ? " (PulseAudio logs neither)" : "", pairs,
                shortestSilence, longestSilence, earliest, latest,
                static_cast<long long>(kIdle.count()),
                running ? "a stream still running" : "no stream running", idleWakeUps,
                static_cast<long long>(kIdle.count()));
    if (std::getenv("CUE_TIMING_STREAMS") != nullptr) {
        std::printf("%s", streams.c_str());
    }
}

// The second form: how long «Бери себе» takes to its outcome box, the computer's cards and the
// outcome's cue played, with the player's sound switch on and off, deals taken in turn.
void measureStand(soundtest::ServerKind kind, int deals) {
    soundtest::SoundServer server(kind);
    if (!server.failed().empty()) {
        std::printf("%s: %s\n", soundtest::nameOf(kind), server.failed().c_str());
        return;
    }
    setenv("PULSE_SERVER", server.address().c_str(), 1);
    soundtest::BlockingWaiter waiter;
    sound::PulseCuePlayer player(waiter, {ZUVIK_CUE_DIR});
    soundtest::DealWithSound(player).play(); // the server's first stream and sleeping sink
    std::vector<double> on;
    std::vector<double> off;
    for (int deal = 0; deal < 2 * deals; ++deal) {
        player.setSoundOn(deal % 2 == 0);
        soundtest::DealWithSound played(player);
        played.play();
        (deal % 2 == 0 ? on : off).push_back(played.standToOutcome().count());
    }
    const auto median = [](std::vector<double> ms) {
        std::sort(ms.begin(), ms.end());
        return ms[ms.size() / 2];
    };
    std::printf("%s: «Бери себе» to its outcome box, median of %d deals (slowest): "
                "sound on %.1f ms (%.1f), sound off %.3f ms (%.3f)\n",
                soundtest::nameOf(kind), deals, median(on), *std::max_element(on.begin(), on.end()),
                median(off), *std::max_element(off.begin(), off.end()));
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--stand") {
        const int deals = argc > 2 ? std::stoi(argv[2]) : 9;
        for (const auto kind :
             {soundtest::ServerKind::PulseAudio, soundtest::ServerKind::PipeWire}) {
            measureStand(kind, std::max(deals, 1));
        }
        return 0;
    }
    const std::size_t cues = argc > 1 ? std::stoul(argv[1]) : 220;
    const std::uint64_t seed = argc > 2 ? std::stoull(argv[2]) : 1;
    const std::vector<cuetiming::Step> steps = cuetiming::matchScript(cues, seed);
    for (const auto kind : {soundtest::ServerKind::PulseAudio, soundtest::ServerKind::PipeWire}) {
        measure(kind, steps);
    }
}
