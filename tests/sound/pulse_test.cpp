// SPDX-License-Identifier: MIT
// The cue player against a real sound server that each test starts for itself, PulseAudio and
// PipeWire in turn, with a null sink whose monitor shows what was actually played.
#include "blocking_waiter.h"
#include "sound/pulse_cue_player.h"
#include "sound_server.h"
#include "test_audio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <sndfile.h>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;
using namespace soundtest;
using namespace std::chrono_literals;
using game::CueMode;

constexpr double atOnceMs = 50.0;
// How closely a synchronous cue's return follows the end of its sound.
constexpr double syncToleranceMs = 30.0;
constexpr double audible = 0.05;
constexpr std::size_t window = MonitorRecorder::rate / 100; // 10 ms

// 10 ms windows of the recording in which a tone of the given pitch is present.
std::vector<std::size_t> windowsWithTone(const std::vector<float>& heard, double hz) {
    std::vector<std::size_t> found;
    for (std::size_t w = 0; (w + 1) * window <= heard.size(); ++w) {
        const std::vector<float> part(heard.begin() + static_cast<std::ptrdiff_t>(w * window),
                                      heard.begin() +
                                          static_cast<std::ptrdiff_t>((w + 1) * window));
        if (toneLevel(part, MonitorRecorder::rate, hz) > audible) {
            found.push_back(w);
        }
    }
    return found;
}

std::vector<float> lastMilliseconds(const std::vector<float>& heard, std::size_t ms) {
    const std::size_t n = std::min(heard.size(), ms * MonitorRecorder::rate / 1000);
    return {heard.end() - static_cast<std::ptrdiff_t>(n), heard.end()};
}

// A cue as the recording holds it: a run of milliseconds louder than half a test tone.
struct HeardCue {
    std::size_t startMs = 0;
    std::size_t lengthMs = 0;
    std::size_t silenceBeforeMs = 0; // wholly silent milliseconds since the cue before
};

std::vector<HeardCue> heardCues(const std::vector<float>& heard) {
    constexpr std::size_t ms = MonitorRecorder::rate / 1000;
    std::vector<HeardCue> cues;
    std::size_t silent = 0;
    bool inCue = false;
    for (std::size_t i = 0; (i + 1) * ms <= heard.size(); ++i) {
        const double peak = peakOf({heard.begin() + static_cast<std::ptrdiff_t>(i * ms),
                                    heard.begin() + static_cast<std::ptrdiff_t>((i + 1) * ms)});
        if (peak > 0.25) {
            if (!inCue) {
                cues.push_back({.startMs = i, .silenceBeforeMs = silent});
                inCue = true;
            }
            cues.back().lengthMs = i + 1 - cues.back().startMs;
            silent = 0;
        } else {
            inCue = false;
            silent += peak < 0.02 ? 1 : 0;
        }
    }
    return cues;
}

// The long 440 Hz cue gave way to the short 880 Hz one at once, and the short one was heard in
// full: at most one 10 ms window of overlap either side, 250 ms of the short tone.
testing::AssertionResult replacedAtOnce(const std::vector<float>& heard) {
    const auto longWindows = windowsWithTone(heard, 440.0);
    const auto shortWindows = windowsWithTone(heard, 880.0);
    if (longWindows.empty() || shortWindows.empty()) {
        return testing::AssertionFailure() << "heard 440 Hz in " << longWindows.size()
                                           << " windows, 880 Hz in " << shortWindows.size();
    }
    const long overlap =
        static_cast<long>(longWindows.back()) - static_cast<long>(shortWindows.front());
    if (overlap > 2) {
        return testing::AssertionFailure()
               << "the long cue went on " << overlap * 10 << " ms into the short one";
    }
    if (std::abs(static_cast<double>(shortWindows.size()) * 10.0 - 250.0) > 30.0) {
        return testing::AssertionFailure()
               << "the short cue was heard for " << shortWindows.size() * 10 << " ms, not 250 ms";
    }
    return testing::AssertionSuccess();
}

// A machine busy with other work can stall any single run by tens of milliseconds; a fault of
// the player shows in every run. So a timing scenario passes if one of three runs is on time.
template <typename Scenario> testing::AssertionResult onTimeInOneOfThreeRuns(Scenario scenario) {
    testing::AssertionResult result = testing::AssertionFailure();
    for (int run = 0; run < 3 && !result; ++run) {
        result = scenario();
    }
    return result;
}

class PulseServer : public ::testing::TestWithParam<ServerKind> {
protected:
    void SetUp() override {
        if (const std::string missing = SoundServer::missing(GetParam()); !missing.empty()) {
            GTEST_SKIP() << nameOf(GetParam())
                         << " is not installed, so the cue player cannot be tried against it "
                            "(install "
                         << missing << ")";
        }
        server_.emplace(GetParam());
        ASSERT_EQ(server_->failed(), "");
        setenv("PULSE_SERVER", server_->address().c_str(), 1);
        // PipeWire runs its whole graph in steps of the shortest latency any stream asks for.
        // There the test's own streams ask for more than the player's, so that the step is the
        // one the player sets, as on a desktop where nothing else plays. PulseAudio's null sink
        // keeps good time only while a stream asks it for a short latency.
        const bool pipeWire = GetParam() == ServerKind::PipeWire;
        silence_.emplace(server_->address(), pipeWire ? 50ms : 20ms);
        ASSERT_TRUE(silence_->waitUntilFlowing(5s)) << "the null sink does not play";
        recorder_.emplace(server_->address(), pipeWire ? 50ms : 10ms);
        ASSERT_TRUE(recorder_->recording());

        writeTone(dir_ / "short.wav", {.seconds = 0.25, .hz = 880.0});
        writeTone(dir_ / "card.wav", {.seconds = 0.12, .hz = 1000.0});
        writeTone(dir_ / "long.wav", {.seconds = 2.0, .hz = 440.0});
        writeTone(dir_ / "stereo.wav", {.seconds = 0.6,
                                        .hz = 660.0,
                                        .rate = 22050,
                                        .channels = 2,
                                        .format = SF_FORMAT_WAV | SF_FORMAT_FLOAT});
        writeTone(dir_ / "rate48.wav", {.seconds = 0.4,
                                        .hz = 550.0,
                                        .rate = 48000,
                                        .format = SF_FORMAT_WAV | SF_FORMAT_PCM_24});
        writeBytes(dir_ / "text.wav", "not a sound\n");
        writeBytes(dir_ / "empty.wav", "");
        player_ = std::make_unique<sound::PulseCuePlayer>(
            waiter_, std::vector<fs::path>{dir_.path(), ZUVIK_CUE_DIR});
    }

    void TearDown() override {
        if (server_) {
            server_->thaw(); // the recorder and the silence could not end on a frozen server
        }
        player_.reset();
        recorder_.reset();
        silence_.reset();
        server_.reset();
    }

    // Plays a cue and returns how long play() took, in milliseconds.
    double timed(const char* name, CueMode mode) {
        const auto start = Clock::now();
        player_->play(name, mode);
        return millisecondsSince(start);
    }

    TempDir dir_;
    std::optional<SoundServer> server_;
    std::optional<SilentStream> silence_;
    std::optional<MonitorRecorder> recorder_;
    BlockingWaiter waiter_;
    std::unique_ptr<sound::PulseCuePlayer> player_;
};

TEST_P(PulseServer, SyncCueReturnsWhenItsLastSampleHasPlayed) {
    struct Case {
        const char* name;
        double seconds;
        bool steadyTone; // sounds from its first to its last sample
    };
    for (const Case& c : {Case{"short.wav", 0.25, true}, Case{"stereo.wav", 0.6, true},
                          Case{"rate48.wav", 0.4, true}, Case{"deal.wav", 0.12, false},
                          Case{"door.wav", 1.4, false}}) {
        EXPECT_TRUE(onTimeInOneOfThreeRuns([&]() -> testing::AssertionResult {
            const std::size_t from = recorder_->position();
            const double elapsed = timed(c.name, CueMode::Sync);
            MonitorRecorder::settle();
            const auto heard = recorder_->between(from, recorder_->position());
            const double heardMs = audibleSeconds(heard, MonitorRecorder::rate) * 1000;
            std::printf(
                "[  measure ] %s sync: returned after %.1f ms, lasts %.1f ms, heard %.1f ms\n",
                c.name, elapsed, c.seconds * 1000, heardMs);
            if (peakOf(heard) < 0.1) {
                return testing::AssertionFailure() << c.name << ": nothing reached the sink";
            }
            if (std::abs(elapsed - c.seconds * 1000) > syncToleranceMs) {
                return testing::AssertionFailure()
                       << c.name << " returned after " << elapsed << " ms";
            }
            // All of it was heard: nothing cut from the end, no gap in the middle.
            if (c.steadyTone && std::abs(heardMs - c.seconds * 1000) > syncToleranceMs) {
                return testing::AssertionFailure()
                       << c.name << " was heard for " << heardMs << " ms";
            }
            return testing::AssertionSuccess();
        }));
    }
}

TEST_P(PulseServer, CueAfterCueIsHeardWholeWithoutAGap) {
    // The computer draws card after card: short synchronous cues, back to back. Each must reach
    // the sink whole, with no more than 10 ms of silence before the next.
    constexpr std::size_t cards = 6;
    constexpr double cardMs = 120.0;
    EXPECT_TRUE(onTimeInOneOfThreeRuns([&]() -> testing::AssertionResult {
        const std::size_t from = recorder_->position();
        std::vector<double> late;
        for (std::size_t card = 0; card < cards; ++card) {
            late.push_back(timed("card.wav", CueMode::Sync) - cardMs);
        }
        MonitorRecorder::settle();
        const auto cues = heardCues(recorder_->between(from, recorder_->position()));
        std::size_t silence = 0;
        for (std::size_t i = 1; i < cues.size(); ++i) {
            silence = std::max(silence, cues[i].silenceBeforeMs);
        }
        std::printf("[  measure ] %zu of %zu cues heard, up to %zu ms of silence between; "
                    "returned %.1f ms past its length, then %.1f to %.1f ms\n",
                    cues.size(), cards, silence, late.front(),
                    *std::min_element(late.begin() + 1, late.end()),
                    *std::max_element(late.begin() + 1, late.end()));
        if (cues.size() != cards) {
            return testing::AssertionFailure() << "heard " << cues.size() << " cues, not " << cards;
        }
        for (const HeardCue& cue : cues) {
            // The tone's fades leave it just under its length above the threshold.
            if (std::abs(static_cast<double>(cue.lengthMs) - (cardMs - 3.0)) > 5.0) {
                return testing::AssertionFailure()
                       << "a cue was heard for " << cue.lengthMs << " ms";
            }
        }
        if (silence > 10) {
            return testing::AssertionFailure() << silence << " ms of silence between two cues";
        }
        return testing::AssertionSuccess();
    }));
}

TEST_P(PulseServer, AsyncCueReturnsAtOnceAndPlaysToItsEnd) {
    const std::size_t from = recorder_->position();
    const double elapsed = timed("stereo.wav", CueMode::Async);
    std::printf("[  measure ] stereo.wav async: returned after %.2f ms\n", elapsed);
    EXPECT_LT(elapsed, atOnceMs);
    std::this_thread::sleep_for(600ms);
    MonitorRecorder::settle();
    const auto heard = recorder_->between(from, recorder_->position());
    EXPECT_NEAR(audibleSeconds(heard, MonitorRecorder::rate), 0.6, 0.03);
}

TEST_P(PulseServer, NextSyncCueCutsOffAnAsyncCueAtOnce) {
    // As a round opens: an asynchronous cue cut off by another, and that one by a synchronous
    // cue, which is heard whole.
    EXPECT_TRUE(onTimeInOneOfThreeRuns([&]() -> testing::AssertionResult {
        const std::size_t from = recorder_->position();
        player_->play("long.wav", CueMode::Async);
        std::this_thread::sleep_for(150ms);
        player_->play("long.wav", CueMode::Async);
        std::this_thread::sleep_for(150ms);
        const double elapsed = timed("short.wav", CueMode::Sync);
        std::printf("[  measure ] short.wav sync after a cut-off: %.1f ms for 250 ms\n", elapsed);
        std::this_thread::sleep_for(300ms);
        const auto heard = recorder_->between(from, recorder_->position());
        // The long cue's remaining 1.7 s neither delays the short one nor ends its wait early.
        if (std::abs(elapsed - 250.0) > syncToleranceMs) {
            return testing::AssertionFailure()
                   << "the short cue returned after " << elapsed << " ms";
        }
        if (peakOf(lastMilliseconds(heard, 200)) > 0.02) {
            return testing::AssertionFailure() << "the long cue came back";
        }
        return replacedAtOnce(heard);
    }));
}

TEST_P(PulseServer, AnyNextCueCutsOffAnAsyncCue) {
    // Another asynchronous cue replaces it at once, and plays in full.
    EXPECT_TRUE(onTimeInOneOfThreeRuns([&]() -> testing::AssertionResult {
        const std::size_t from = recorder_->position();
        player_->play("long.wav", CueMode::Async);
        std::this_thread::sleep_for(300ms);
        const double elapsed = timed("short.wav", CueMode::Async);
        std::this_thread::sleep_for(500ms);
        if (elapsed > atOnceMs) {
            return testing::AssertionFailure() << "an async cue took " << elapsed << " ms";
        }
        return replacedAtOnce(recorder_->between(from, recorder_->position()));
    }));

    // So does a cue that cannot be played.
    const std::size_t from = recorder_->position();
    player_->play("long.wav", CueMode::Async);
    std::this_thread::sleep_for(300ms);
    EXPECT_LT(timed("missing.wav", CueMode::Async), atOnceMs);
    std::this_thread::sleep_for(300ms);
    const auto heard = recorder_->between(from, recorder_->position());
    EXPECT_GT(peakOf(heard), 0.1);
    EXPECT_LT(peakOf(lastMilliseconds(heard, 200)), 0.02);
}

TEST_P(PulseServer, UnplayableCuesReturnAtOnceAndStaySilent) {
    const std::size_t from = recorder_->position();
    for (const char* name : {"missing.wav", "text.wav", "empty.wav", "../short.wav"}) {
        for (const CueMode mode : {CueMode::Sync, CueMode::Async}) {
            EXPECT_LT(timed(name, mode), atOnceMs) << name;
        }
    }
    MonitorRecorder::settle();
    EXPECT_LT(peakOf(recorder_->between(from, recorder_->position())), 0.02);
}

TEST_P(PulseServer, KilledServerReleasesASyncCueAndLaterCuesReturnAtOnce) {
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
    std::printf("[  measure ] sync cue returned %.1f ms after the server was killed\n", afterKill);
    EXPECT_LT(afterKill, 100.0);

    const double next = timed("short.wav", CueMode::Sync);
    std::printf("[  measure ] next sync cue with the server gone: %.2f ms\n", next);
    EXPECT_LT(next, atOnceMs);
    EXPECT_LT(timed("short.wav", CueMode::Async), atOnceMs);
}

TEST_P(PulseServer, FrozenServerHoldsASyncCueNoLongerThanItsLengthAndAMargin) {
    constexpr double longMs = 2000.0;
    constexpr double shortMs = 250.0;
    const double marginMs = sound::PulseCuePlayer::kSyncMargin.count();
    std::thread freezer([&] {
        std::this_thread::sleep_for(300ms);
        server_->freeze();
    });
    const double held = timed("long.wav", CueMode::Sync);
    freezer.join();
    const double next = timed("short.wav", CueMode::Sync);
    std::printf("[  measure ] server frozen mid-cue: a %.0f ms cue returned after %.1f ms, "
                "the next one after %.1f ms\n",
                longMs, held, next);
    EXPECT_LT(held, longMs + marginMs + syncToleranceMs);
    EXPECT_LT(next, shortMs + marginMs + syncToleranceMs);

    // Once the server answers again, so does the player: the stuck stream was given up.
    server_->thaw();
    std::this_thread::sleep_for(500ms);
    const std::size_t from = recorder_->position();
    EXPECT_NEAR(timed("short.wav", CueMode::Sync), shortMs, 100.0);
    MonitorRecorder::settle();
    EXPECT_GT(peakOf(recorder_->between(from, recorder_->position())), 0.1);
}

TEST_P(PulseServer, ServerKilledBetweenCuesLeavesTheNextCueReturningAtOnce) {
    // The first cue's stream is kept open for the next one and outlives the server.
    player_->play("short.wav", CueMode::Sync);
    std::this_thread::sleep_for(100ms);
    server_->kill();
    const double next = timed("short.wav", CueMode::Sync);
    std::printf("[  measure ] sync cue after the server died between cues: %.2f ms\n", next);
    EXPECT_LT(next, atOnceMs);
}

TEST_P(PulseServer, FindsTheSessionServerWhenPulseServerIsUnset) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::optional<std::string> savedRuntime =
        runtime != nullptr ? std::optional<std::string>(runtime) : std::nullopt;
    unsetenv("PULSE_SERVER");
    unsetenv("PULSE_RUNTIME_PATH");
    setenv("XDG_RUNTIME_DIR", server_->runtimeDir().c_str(), 1);
    BlockingWaiter waiter;
    auto player =
        std::make_unique<sound::PulseCuePlayer>(waiter, std::vector<fs::path>{dir_.path()});
    if (savedRuntime) {
        setenv("XDG_RUNTIME_DIR", savedRuntime->c_str(), 1);
    } else {
        unsetenv("XDG_RUNTIME_DIR");
    }

    // Played, not refused at once: the cue took its time and reached the sink.
    const std::size_t from = recorder_->position();
    const auto start = Clock::now();
    player->play("short.wav", CueMode::Sync);
    EXPECT_GE(millisecondsSince(start), 250.0 - syncToleranceMs);
    MonitorRecorder::settle();
    EXPECT_GT(peakOf(recorder_->between(from, recorder_->position())), 0.1);
}

TEST_P(PulseServer, DestroyingThePlayerCutsOffItsCue) {
    const std::size_t from = recorder_->position();
    player_->play("long.wav", CueMode::Async);
    std::this_thread::sleep_for(300ms);
    const auto start = Clock::now();
    player_.reset();
    EXPECT_LT(millisecondsSince(start), 100.0);
    std::this_thread::sleep_for(300ms);
    const auto heard = recorder_->between(from, recorder_->position());
    EXPECT_GT(peakOf(heard), 0.1);
    EXPECT_LT(peakOf(lastMilliseconds(heard, 200)), 0.02);
}

INSTANTIATE_TEST_SUITE_P(, PulseServer,
                         testing::Values(ServerKind::PulseAudio, ServerKind::PipeWire),
                         [](const testing::TestParamInfo<ServerKind>& info) {
                             return std::string(nameOf(info.param));
                         });

} // namespace
