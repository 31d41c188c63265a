// SPDX-License-Identifier: MIT
#include "blocking_waiter.h"
#include "sound/pulse_cue_player.h"
#include "test_audio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace soundtest;
using game::CueMode;

// Generous on purpose: a cue that cannot be played must not hold the game up at all, and a
// connection attempt that autospawns a daemon or waits on a dead socket takes far longer. Beside
// two busy cores, reading the longest of these files alone took 51 ms once.
constexpr double atOnceMs = 150.0;

class NoAudioServer : public ::testing::Test {
protected:
    void SetUp() override {
        // A socket nobody listens on; naming a server also rules out libpulse's autospawn.
        setenv("PULSE_SERVER", ("unix:" + (dir_ / "nobody-here" / "native").string()).c_str(), 1);

        writeTone(dir_ / "tone.wav", {.seconds = 1.0});
        writeTone(dir_ / "huge.wav", {.seconds = 60.0});
        writeBytes(dir_ / "empty.wav", "");
        writeBytes(dir_ / "text.wav", "Зувик: not a sound\n");
        std::string noise(4096, '\0');
        for (std::size_t i = 0; i < noise.size(); ++i) {
            noise[i] = static_cast<char>((i * 7919u + 13u) % 251u);
        }
        writeBytes(dir_ / "corrupt.wav", noise);
        std::string whole(20000, '\0');
        {
            std::ifstream in(dir_ / "tone.wav", std::ios::binary);
            in.read(whole.data(), static_cast<std::streamsize>(whole.size()));
        }
        writeBytes(dir_ / "truncated.wav", whole);
    }

    TempDir dir_;
};

TEST_F(NoAudioServer, EveryCueReturnsAtOnceQuietlyAndWithoutThrowing) {
    BlockingWaiter waiter;
    double slowest = 0.0;
    testing::internal::CaptureStderr();
    {
        auto owned = std::make_unique<sound::PulseCuePlayer>(
            waiter, std::vector<fs::path>{dir_.path(), ZUVIK_CUE_DIR});
        auto& player = *owned;
        for (const char* name :
             {"tone.wav", "deal.wav", "door.wav", "missing.wav", "empty.wav", "text.wav",
              "corrupt.wav", "truncated.wav", "huge.wav", "../tone.wav", ""}) {
            for (const CueMode mode : {CueMode::Sync, CueMode::Async}) {
                const auto start = Clock::now();
                EXPECT_NO_THROW(player.play(name, mode));
                const double elapsed = millisecondsSince(start);
                EXPECT_LT(elapsed, atOnceMs)
                    << name << (mode == CueMode::Sync ? " sync" : " async");
                slowest = std::max(slowest, elapsed);
            }
        }
        player.play("huge.wav", CueMode::Async);
        const auto start = Clock::now();
        owned.reset();
        EXPECT_LT(millisecondsSince(start), atOnceMs) << "destruction";
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    std::printf("[  measure ] slowest cue without a server: %.2f ms\n", slowest);
}

TEST_F(NoAudioServer, WithoutPulseServerTheSessionSocketIsTriedAndNoDaemonStarted) {
    const ScopedEnv noServer("PULSE_SERVER", nullptr);
    const ScopedEnv runtime("XDG_RUNTIME_DIR", dir_.path().c_str());
    {
        BlockingWaiter waiter;
        sound::PulseCuePlayer player(waiter, {dir_.path()});
        const auto start = Clock::now();
        player.play("tone.wav", CueMode::Sync);
        EXPECT_LT(millisecondsSince(start), atOnceMs);
    }
    EXPECT_FALSE(fs::exists(dir_ / "pulse" / "native")) << "a sound server was started";
}

TEST_F(NoAudioServer, ACuePlayedWhileASyncCueIsAwaitedIsDropped) {
    BlockingWaiter waiter;
    sound::PulseCuePlayer player(waiter, {dir_.path()});
    int nestedPlays = 0;
    waiter.duringWait = [&] {
        if (nestedPlays++ == 0) {
            const auto start = Clock::now();
            player.play("tone.wav", CueMode::Sync);
            player.play("tone.wav", CueMode::Async);
            EXPECT_LT(millisecondsSince(start), atOnceMs);
        }
    };
    player.play("tone.wav", CueMode::Sync);
    // Only the outer cue was waited on: the nested ones never reached the worker.
    EXPECT_EQ(waiter.waits, 1);

    waiter.duringWait = nullptr;
    player.play("tone.wav", CueMode::Sync);
    EXPECT_EQ(waiter.waits, 2);
}

} // namespace
