// SPDX-License-Identifier: MIT
// The player's sound switch against a real sound server, PulseAudio and PipeWire in turn, whose
// sink's monitor shows what was heard. A whole deal with the sound off must sound of nothing,
// hold no click for a cue, and tell the window exactly what the same deal with sound does.
#include "blocking_waiter.h"
#include "deal_with_sound.h"
#include "monitor_recorder.h"
#include "sound/pulse_cue_player.h"
#include "sound_server.h"
#include "test_audio.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;
using namespace soundtest;
using namespace std::chrono_literals;
using game::CueMode;

// What "at once" means on a busy machine: far less than any cue lasts.
constexpr double atOnceMs = 250.0;
constexpr double audible = 0.05;
// A cue of the game's own name, replaced by a long tone that is easy to find in the recording.
constexpr const char* kLongCue = "bye.wav";
constexpr double kLongCueHz = 440.0;

class PulseServerSoundSwitch : public ::testing::TestWithParam<ServerKind> {
protected:
    void SetUp() override {
        if (const std::string missing = SoundServer::missing(GetParam()); !missing.empty()) {
            GTEST_SKIP() << nameOf(GetParam()) << " is not installed (install " << missing << ")";
        }
        server_.emplace(GetParam());
        ASSERT_EQ(server_->failed(), "");
        setenv("PULSE_SERVER", server_->address().c_str(), 1);
        recorder_.emplace(server_->address(), GetParam() == ServerKind::PipeWire ? 25ms : 10ms);
        ASSERT_TRUE(recorder_->recording());
        // A fresh null sink sleeps through its first idle block before it plays anything.
        const auto deadline = Clock::now() + 10s;
        while (recorder_->position() < MonitorRecorder::rate && Clock::now() < deadline) {
            std::this_thread::sleep_for(50ms);
        }
        ASSERT_GE(recorder_->position(), MonitorRecorder::rate) << "the null sink does not play";
        writeTone(dir_ / kLongCue, {.seconds = 2.0, .hz = kLongCueHz});
        player_ = std::make_unique<sound::PulseCuePlayer>(
            waiter_, std::vector<fs::path>{dir_.path(), ZUVIK_CUE_DIR});
    }

    void TearDown() override {
        player_.reset();
        recorder_.reset();
        server_.reset();
    }

    // What the sink has played since `from`, once all of it is recorded.
    std::vector<float> heardSince(std::size_t from) {
        recorder_->settle();
        return recorder_->between(from, recorder_->position());
    }

    [[nodiscard]] double longCueLevelSince(std::size_t from) {
        return toneLevel(heardSince(from), MonitorRecorder::rate, kLongCueHz);
    }

    TempDir dir_;
    std::optional<SoundServer> server_;
    std::optional<MonitorRecorder> recorder_;
    BlockingWaiter waiter_;
    std::unique_ptr<sound::PulseCuePlayer> player_;
};

TEST_P(PulseServerSoundSwitch, OffADealIsSilentHoldsNoClickAndShowsAllTheSameThenOnItIsHeard) {
    DealWithSound heard(*player_);
    std::size_t from = recorder_->position();
    heard.play();
    EXPECT_GT(peakOf(heardSince(from)), audible) << "the deal with sound was not heard";

    player_->setSoundOn(false);
    DealWithSound silent(*player_);
    std::this_thread::sleep_for(200ms); // the last cue of the deal before fades out first
    from = recorder_->position();
    silent.play();
    std::this_thread::sleep_for(300ms);
    EXPECT_LT(peakOf(heardSince(from)), 0.02);
    EXPECT_LT(silent.slowestClick().count(), atOnceMs) << "a click waited for a cue unheard";
    EXPECT_EQ(silent.log(), heard.log());
    std::printf("[  measure ] «Бери себе» to its outcome box: %.1f ms with sound, %.2f ms "
                "without\n",
                heard.standToOutcome().count(), silent.standToOutcome().count());

    player_->setSoundOn(true);
    from = recorder_->position();
    player_->play(kLongCue, CueMode::Sync);
    EXPECT_GT(longCueLevelSince(from), audible);
}

TEST_P(PulseServerSoundSwitch, ACuePlayingWhenTheSoundGoesOffStopsAtOnce) {
    for (const CueMode mode : {CueMode::Async, CueMode::Sync}) {
        SCOPED_TRACE(mode == CueMode::Sync ? "sync" : "async");
        player_->setSoundOn(true);
        const std::size_t from = recorder_->position();
        const auto switchOff = [this] {
            std::this_thread::sleep_for(400ms);
            player_->setSoundOn(false);
        };
        // A synchronous cue is switched off from inside its wait, as the window's menu does.
        waiter_.duringWait = mode == CueMode::Sync ? switchOff : std::function<void()>{};
        const auto start = Clock::now();
        player_->play(kLongCue, mode);
        if (mode == CueMode::Async) {
            switchOff();
        }
        EXPECT_LT(millisecondsSince(start), 400.0 + atOnceMs);
        std::this_thread::sleep_for(700ms);
        const std::vector<float> sound = heardSince(from);
        EXPECT_GT(toneLevel(sound, MonitorRecorder::rate, kLongCueHz), audible);
        const std::size_t tail = 300 * MonitorRecorder::rate / 1000;
        ASSERT_GT(sound.size(), tail);
        EXPECT_LT(peakOf({sound.end() - static_cast<std::ptrdiff_t>(tail), sound.end()}), 0.02)
            << "the cue played on";
    }
}

INSTANTIATE_TEST_SUITE_P(, PulseServerSoundSwitch,
                         testing::Values(ServerKind::PulseAudio, ServerKind::PipeWire),
                         [](const testing::TestParamInfo<ServerKind>& info) {
                             return std::string(nameOf(info.param));
                         });

} // namespace
