// SPDX-License-Identifier: MIT
#pragma once

#include "blocking_waiter.h"
#include "monitor_recorder.h"
#include "sound/pulse_cue_player.h"
#include "sound_server.h"
#include "test_audio.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace soundtest {

// What "at once" means for a player on a busy machine: far less than any cue lasts.
inline constexpr double atOnceMs = 250.0;
// A level of the recording that is a cue heard, not noise.
inline constexpr double audible = 0.05;

// A private sound server of the test's kind, its null sink recorded from the moment it plays,
// and the game's cue player on it, finding cues first in the test's own folder (fill it in
// SetUp() after calling this one's), then among the game's.
class ServerFixture : public ::testing::TestWithParam<ServerKind> {
protected:
    void SetUp() override {
        using namespace std::chrono_literals;
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
        player_ = std::make_unique<sound::PulseCuePlayer>(
            waiter_, std::vector<std::filesystem::path>{dir_.path(), ZUVIK_CUE_DIR});
    }

    void TearDown() override {
        if (server_) {
            server_->thaw(); // the recorder could not end on a frozen server
        }
        player_.reset();
        recorder_.reset();
        server_.reset();
    }

    // What the sink has played since `from`, once all of it is recorded.
    std::vector<float> heardSince(std::size_t from) {
        recorder_->settle();
        return recorder_->between(from, recorder_->position());
    }

    TempDir dir_;
    std::optional<SoundServer> server_;
    std::optional<MonitorRecorder> recorder_;
    BlockingWaiter waiter_;
    std::unique_ptr<sound::PulseCuePlayer> player_;
};

} // namespace soundtest
