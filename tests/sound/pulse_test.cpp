// SPDX-License-Identifier: MIT
// The cue player against a real sound server that each test starts for itself, PulseAudio and
// PipeWire in turn, with a null sink whose monitor shows what was actually played. What is
// asserted holds on a loaded machine too: how late or early a cue is, is a measurement of
// cue_timing, not a test.
#include "cue_analysis.h"
#include "server_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <sndfile.h>
#include <string>
#include <thread>
#include <utility>

namespace {

namespace fs = std::filesystem;
using namespace soundtest;
using namespace std::chrono_literals;
using game::CueMode;

std::vector<float> lastMilliseconds(const std::vector<float>& heard, std::size_t ms) {
    const std::size_t n = std::min(heard.size(), ms * MonitorRecorder::rate / 1000);
    return {heard.end() - static_cast<std::ptrdiff_t>(n), heard.end()};
}

class PulseServer : public ServerFixture {
protected:
    void SetUp() override {
        ServerFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        writeTone(dir_ / "short.wav", {.seconds = 0.25, .hz = 880.0});
        writeTone(dir_ / "card.wav", {.seconds = 0.12, .hz = 1000.0});
        writeTone(dir_ / "long.wav", {.seconds = 2.0, .hz = 440.0});
        writeTone(dir_ / "stereo.wav", {.seconds = 0.6,
                                        .hz = 660.0,
                                        .channels = 2,
                                        .format = SF_FORMAT_WAV | SF_FORMAT_FLOAT});
        writeBytes(dir_ / "text.wav", "not a sound\n");
        writeBytes(dir_ / "empty.wav", "");
    }

    // Plays a cue and returns how long play() took, in milliseconds.
    double timed(const char* name, CueMode mode) {
        const auto start = Clock::now();
        player_->play(name, mode);
        return millisecondsSince(start);
    }

    // Plays the cues one after the other, as a handler does, and keeps what the analysis of
    // the recording needs to know of them.
    std::vector<PlayedCue> playInTurn(std::initializer_list<std::pair<const char*, CueMode>> cues) {
        std::vector<PlayedCue> played;
        for (const auto& [name, mode] : cues) {
            fs::path file = dir_ / name;
            if (!fs::exists(file)) {
                file = fs::path(ZUVIK_CUE_DIR) / name;
            }
            const bool sync = mode == CueMode::Sync;
            PlayedCue cue{.name = name,
                          .sound = monoSamples(file),
                          .sync = sync,
                          .backToBack = sync && !played.empty() && played.back().sync,
                          .called = Clock::now(),
                          .returned = {}};
            player_->play(name, mode);
            cue.returned = Clock::now();
            played.push_back(std::move(cue));
        }
        return played;
    }
};

TEST_P(PulseServer, EveryCueOfADealIsHeardWholeInOrderAndNoSyncCueEndsForItsCallerEarly) {
    // A round as the rules play it: an opening cue, two cards dealt over each other, the
    // computer's cards back to back, then cues in other formats, and the deal's own cues.
    const std::vector<PlayedCue> played = playInTurn({
        {"short.wav", CueMode::Sync},
        {"card.wav", CueMode::Async},
        {"card.wav", CueMode::Async},
        {"card.wav", CueMode::Sync},
        {"card.wav", CueMode::Sync},
        {"card.wav", CueMode::Sync},
        {"card.wav", CueMode::Sync},
        {"stereo.wav", CueMode::Sync},
        {"short.wav", CueMode::Sync},
        {"deal.wav", CueMode::Sync},
        {"deal.wav", CueMode::Sync},
        {"ye.wav", CueMode::Sync},
    });
    std::this_thread::sleep_for(300ms);
    recorder_->settle();
    const std::vector<HeardCue> heard = analyse(played, *recorder_);
    const std::vector<Mishap> mishaps = server_->mishaps();
    const auto logged = std::count_if(mishaps.begin(), mishaps.end(), [](const Mishap& mishap) {
        return mishap.kind == Mishap::Kind::MissedStep;
    });
    std::printf("[  measure ] the reference tone fell silent %zu times; the server logged %td "
                "missed steps\n",
                recorder_->referenceGaps(kShortestHole).size(), logged);
    for (std::size_t i = 0; i < heard.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "cue " << i << ", " << played[i].name);
        if (heard[i].cutOffAtOnce) {
            continue;
        }
        ASSERT_TRUE(heard[i].onset.has_value()) << "never heard";
        // A step the server itself missed is not the player's to close; any other hole is.
        for (const Hole& hole : heard[i].holes) {
            const HoleAccount account = accountOf(hole, mishaps);
            switch (account.charge()) {
            case Charge::Server:
                std::printf("[  measure ] the server's own hole in cue %zu, %s: %s\n", i,
                            played[i].name.c_str(), evidence(hole, account).c_str());
                break;
            case Charge::Game:
                ADD_FAILURE() << "the game's stream ran dry: a hole of " << evidence(hole, account);
                break;
            case Charge::Unexplained:
                ADD_FAILURE() << "a hole no account explains: " << evidence(hole, account);
                break;
            }
        }
        // Handed over no sooner than the server had taken the whole cue: its last sample is
        // heard within a step or two of the server's. Only ever late on a busy machine.
        if (heard[i].returnedMs) {
            EXPECT_GT(*heard[i].returnedMs, -100.0);
        }
        // And what follows it does not cut into it.
        if (heard[i].silenceBeforeMs) {
            EXPECT_GE(*heard[i].silenceBeforeMs, -1.0);
        }
    }
    // The second card replaced the first: it was asked for at once, and it alone was heard.
    EXPECT_TRUE(heard[1].cutOffAtOnce);
}

TEST_P(PulseServer, AHoleTheServerMakesIsChargedToItByTheReferenceToneBesideTheCue) {
    // The server's daemon stopped three times in the middle of a cue, as a busy machine stops
    // it: PipeWire's graph goes on without the streams of pipewire-pulse, and logs only the first
    // step it missed in a while.
    const bool pipeWire = GetParam() == ServerKind::PipeWire;
    std::thread stopper([&] {
        for (int stop = 0; stop < 3; ++stop) {
            std::this_thread::sleep_for(400ms);
            server_->freeze(pipeWire ? "pipewire-pulse" : "pulseaudio");
            std::this_thread::sleep_for(100ms);
            server_->thaw();
        }
    });
    const std::vector<PlayedCue> played = playInTurn({{"long.wav", CueMode::Sync}});
    stopper.join();
    std::this_thread::sleep_for(300ms);
    recorder_->settle();
    const std::vector<HeardCue> heard = analyse(played, *recorder_);
    ASSERT_TRUE(heard[0].onset.has_value()) << "never heard";
    const std::vector<Mishap> mishaps = server_->mishaps();
    // The daemon is first stopped 400 ms after the cue is asked for, which does not start
    // 150 ms after that even on a busy machine: a hole before is not the stop's (a cue heard a step
    // late, say), and the deal test charges it.
    std::size_t stopped = 0;
    for (const Hole& hole : heard[0].holes) {
        if (hole.atMs < 250.0) {
            continue;
        }
        ++stopped;
        const HoleAccount account = accountOf(hole, mishaps);
        std::printf("[  measure ] the stopped daemon's hole: %s\n",
                    evidence(hole, account).c_str());
        EXPECT_EQ(account.charge(), Charge::Server) << evidence(hole, account);
        EXPECT_TRUE(account.referenceSilent) << evidence(hole, account);
    }
    if (pipeWire) {
        EXPECT_GE(stopped, 2U) << "the stopped daemon made too few holes";
    }
}

TEST_P(PulseServer, AsyncCueReturnsAtOnceAndAnyNextCueCutsItOff) {
    for (const char* next : {"short.wav", "missing.wav"}) {
        SCOPED_TRACE(next);
        const std::size_t from = recorder_->position();
        EXPECT_LT(timed("long.wav", CueMode::Async), atOnceMs);
        std::this_thread::sleep_for(400ms);
        EXPECT_LT(timed(next, CueMode::Async), atOnceMs);
        std::this_thread::sleep_for(600ms);
        const auto heard = heardSince(from);
        // The long cue was heard, then gave way; its remaining 1.6 s never came back.
        EXPECT_GT(toneLevel(heard, MonitorRecorder::rate, 440.0), audible);
        EXPECT_LT(toneLevel(lastMilliseconds(heard, 300), MonitorRecorder::rate, 440.0), 0.01);
    }
}

TEST_P(PulseServer, UnplayableCuesReturnAtOnceAndStaySilent) {
    const std::size_t from = recorder_->position();
    for (const char* name : {"missing.wav", "text.wav", "empty.wav", "../short.wav"}) {
        for (const CueMode mode : {CueMode::Sync, CueMode::Async}) {
            EXPECT_LT(timed(name, mode), atOnceMs) << name;
        }
    }
    EXPECT_LT(peakOf(heardSince(from)), 0.02);
}

TEST_P(PulseServer, AKilledServerReleasesACueAtOnceAndLaterCuesToo) {
    // Killed in the middle of a synchronous cue.
    Clock::time_point killedAt;
    std::thread killer([&] {
        std::this_thread::sleep_for(300ms);
        killedAt = Clock::now();
        server_->kill();
    });
    player_->play("long.wav", CueMode::Sync);
    const auto returnedAt = Clock::now();
    killer.join();
    const double afterKill =
        std::chrono::duration<double, std::milli>(returnedAt - killedAt).count();
    EXPECT_LT(afterKill, 1000.0);
    EXPECT_LT(timed("short.wav", CueMode::Sync), atOnceMs);
    EXPECT_LT(timed("short.wav", CueMode::Async), atOnceMs);
}

TEST_P(PulseServer, AServerKilledBetweenCuesLeavesTheNextOneReturningAtOnce) {
    // The first cue's stream is kept for the next one and outlives the server.
    player_->play("short.wav", CueMode::Sync);
    std::this_thread::sleep_for(100ms);
    server_->kill();
    EXPECT_LT(timed("short.wav", CueMode::Sync), atOnceMs);
}

TEST_P(PulseServer, AFrozenServerHoldsACueNoLongerThanItsLengthAndAMargin) {
    constexpr double marginMs = 1000.0; // the player's promise: a cue's length and a second
    std::thread freezer([&] {
        std::this_thread::sleep_for(300ms);
        server_->freeze();
    });
    const double held = timed("long.wav", CueMode::Sync);
    freezer.join();
    const double next = timed("short.wav", CueMode::Sync);
    std::printf("[  measure ] server frozen mid-cue: a 2000 ms cue returned after %.1f ms, "
                "the next one after %.1f ms\n",
                held, next);
    // A second of slack for a busy machine, well short of the cue's own length again.
    EXPECT_LT(held, 2000.0 + marginMs + 1000.0);
    EXPECT_LT(next, 250.0 + marginMs + 1000.0);

    // Once the server answers again, so does the player.
    server_->thaw();
    std::this_thread::sleep_for(500ms);
    const std::size_t from = recorder_->position();
    player_->play("short.wav", CueMode::Sync);
    std::this_thread::sleep_for(300ms);
    EXPECT_GT(toneLevel(heardSince(from), MonitorRecorder::rate, 880.0), audible);
}

TEST_P(PulseServer, FindsTheSessionServerWhenPulseServerIsUnset) {
    unsetenv("PULSE_SERVER");
    std::optional<ScopedEnv> runtime(std::in_place, "XDG_RUNTIME_DIR",
                                     server_->runtimeDir().c_str());
    BlockingWaiter waiter;
    sound::PulseCuePlayer player(waiter, {dir_.path()});
    const std::size_t from = recorder_->position();
    player.play("short.wav", CueMode::Sync);
    runtime.reset();
    std::this_thread::sleep_for(200ms);
    EXPECT_GT(toneLevel(heardSince(from), MonitorRecorder::rate, 880.0), audible);
}

TEST_P(PulseServer, TheDesktopSeesTheGameByNameAndNoStreamRunsBetweenCuesYetTheNextOnePlays) {
    player_->play("short.wav", CueMode::Sync);
    std::this_thread::sleep_for(1s);
    const std::string streams = server_->sinkInputs("Зувик");
    EXPECT_NE(streams.find("application.name = \"Зувик\""), std::string::npos);
    EXPECT_NE(streams.find("application.id = \"io.github.zuvik.Zuvik\""), std::string::npos);
    EXPECT_NE(streams.find("application.icon_name = \"io.github.zuvik.Zuvik\""), std::string::npos);
    EXPECT_NE(streams.find("media.role = \"game\""), std::string::npos);
    EXPECT_NE(streams.find("Corked: yes"), std::string::npos);
    EXPECT_EQ(streams.find("Corked: no"), std::string::npos);

    // A cue shorter than the server's buffer wakes the corked stream all the same.
    const std::size_t from = recorder_->position();
    player_->play("card.wav", CueMode::Sync);
    std::this_thread::sleep_for(200ms);
    EXPECT_GT(toneLevel(heardSince(from), MonitorRecorder::rate, 1000.0), audible);
}

TEST_P(PulseServer, DestroyingThePlayerCutsOffItsCue) {
    const std::size_t from = recorder_->position();
    player_->play("long.wav", CueMode::Async);
    std::this_thread::sleep_for(300ms);
    const auto start = Clock::now();
    player_.reset();
    EXPECT_LT(millisecondsSince(start), atOnceMs);
    std::this_thread::sleep_for(600ms);
    const auto heard = heardSince(from);
    EXPECT_GT(toneLevel(heard, MonitorRecorder::rate, 440.0), audible);
    EXPECT_LT(toneLevel(lastMilliseconds(heard, 300), MonitorRecorder::rate, 440.0), 0.01);
}

INSTANTIATE_TEST_SUITE_P(, PulseServer,
                         testing::Values(ServerKind::PulseAudio, ServerKind::PipeWire),
                         [](const testing::TestParamInfo<ServerKind>& info) {
                             return std::string(nameOf(info.param));
                         });

} // namespace
