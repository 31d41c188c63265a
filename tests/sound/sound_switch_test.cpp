// SPDX-License-Identifier: MIT
// The player's sound switch against a real sound server, PulseAudio and PipeWire in turn, whose
// sink's monitor shows what was heard. A whole deal with the sound off must sound of nothing,
// hold no click for a cue, and tell the window exactly what the same deal with sound does.
#include "deal_with_sound.h"
#include "server_fixture.h"

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

// A cue of the game's own name, replaced by a long tone that is easy to find in the recording.
constexpr const char* kLongCue = "bye.wav";
constexpr double kLongCueHz = 440.0;

class PulseServerSoundSwitch : public ServerFixture {
protected:
    void SetUp() override {
        ServerFixture::SetUp();
        if (!IsSkipped() && !HasFatalFailure()) {
            writeTone(dir_ / kLongCue, {.seconds = 2.0, .hz = kLongCueHz});
        }
    }

    [[nodiscard]] double longCueLevelSince(std::size_t from) {
        return toneLevel(heardSince(from), MonitorRecorder::rate, kLongCueHz);
    }
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
