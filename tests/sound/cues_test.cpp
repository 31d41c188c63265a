// SPDX-License-Identifier: MIT
#include "game/cues.h"
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

using game::kCues;

std::string bytesOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(GeneratedCues, EachIsAShortAudibleCleanSixteenBitWav) {
    for (const game::CueRow& row : kCues) {
        SCOPED_TRACE(row.file);
        const Decoded cue = decode(fs::path(ZUVIK_CUE_DIR) / row.file);
        ASSERT_FALSE(cue.samples.empty());
        EXPECT_EQ(cue.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        EXPECT_TRUE(cue.rate == 44100 || cue.rate == 22050) << cue.rate;
        // A card is dealt with a synchronous cue, several times in a row: it must be brief.
        const double longest = row.cue == game::Cue::Deal ? 0.2 : 1.5;
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
    std::array<Decoded, kCues.size()> cues;
    for (std::size_t i = 0; i < kCues.size(); ++i) {
        cues[i] = decode(fs::path(ZUVIK_CUE_DIR) / kCues[i].file);
    }
    for (std::size_t i = 0; i < cues.size(); ++i) {
        for (std::size_t j = i + 1; j < cues.size(); ++j) {
            EXPECT_NE(cues[i].samples, cues[j].samples) << kCues[i].file << " " << kCues[j].file;
        }
    }
}

TEST(GeneratedCues, TheGeneratorWritesTheSameBytesEveryTime) {
    TempDir again;
    const std::string command =
        std::string("\"") + ZUVIK_CUEGEN + "\" \"" + again.path().string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const game::CueRow& row : kCues) {
        EXPECT_EQ(bytesOf(again / row.file), bytesOf(fs::path(ZUVIK_CUE_DIR) / row.file))
            << row.file;
    }
}

} // namespace
