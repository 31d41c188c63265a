// SPDX-License-Identifier: MIT
#include "test_audio.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sndfile.h>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace soundtest;

constexpr std::array<const char*, 14> cueNames{
    "door.wav", "kn.wav", "deal.wav", "win.wav", "sv.wav", "ooh.wav", "ye.wav",
    "oba.wav",  "4.wav",  "yes.wav",  "end.wav", "2.wav",  "fe.wav",  "bye.wav"};

std::string bytesOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(GeneratedCues, EachIsAShortAudibleCleanSixteenBitWav) {
    for (const char* name : cueNames) {
        SCOPED_TRACE(name);
        const Decoded cue = decode(fs::path(ZUVIK_CUE_DIR) / name);
        ASSERT_FALSE(cue.samples.empty());
        EXPECT_EQ(cue.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        EXPECT_TRUE(cue.rate == 44100 || cue.rate == 22050) << cue.rate;
        // A card is dealt with a synchronous cue, several times in a row: it must be brief.
        const double longest = std::string(name) == "deal.wav" ? 0.2 : 1.5;
        EXPECT_LE(cue.seconds(), longest);
        EXPECT_GE(cue.seconds(), 0.05);
        const double peak = peakOf(cue.samples);
        EXPECT_GE(peak, 0.25) << "too quiet";
        EXPECT_LE(peak, 0.75) << "no headroom";
        // Faded in and out, so it starts and stops without a click.
        EXPECT_LT(std::abs(cue.samples.front()), 0.01);
        EXPECT_LT(std::abs(cue.samples.back()), 0.01);
    }
}

TEST(GeneratedCues, NoTwoAreAlike) {
    std::array<Decoded, cueNames.size()> cues;
    for (std::size_t i = 0; i < cueNames.size(); ++i) {
        cues[i] = decode(fs::path(ZUVIK_CUE_DIR) / cueNames[i]);
    }
    for (std::size_t i = 0; i < cues.size(); ++i) {
        for (std::size_t j = i + 1; j < cues.size(); ++j) {
            EXPECT_NE(cues[i].samples, cues[j].samples) << cueNames[i] << " " << cueNames[j];
        }
    }
}

TEST(GeneratedCues, TheGeneratorWritesTheSameBytesEveryTime) {
    TempDir again;
    const std::string command =
        std::string("\"") + ZUVIK_CUEGEN + "\" \"" + again.path().string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* name : cueNames) {
        EXPECT_EQ(bytesOf(again / name), bytesOf(fs::path(ZUVIK_CUE_DIR) / name)) << name;
    }
}

} // namespace
