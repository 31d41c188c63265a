// SPDX-License-Identifier: MIT
#include "sound/cue_file.h"
#include "test_audio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace soundtest;
using namespace std::chrono_literals;

std::optional<sound::Cue> load(const std::vector<fs::path>& folders, const std::string& name) {
    return sound::loadCue(folders, name, 20s);
}

TEST(CueLookup, FirstFolderWithADecodableFileWins) {
    TempDir first, second;
    writeTone(first / "a.wav", {.rate = 22050});
    writeTone(second / "a.wav", {.rate = 44100});
    writeTone(second / "b.wav", {.rate = 48000});
    writeBytes(first / "b.wav", "not a sound at all");
    const std::vector<fs::path> folders{first.path(), second.path()};

    const auto a = load(folders, "a.wav");
    ASSERT_TRUE(a.has_value());
    EXPECT_EQ(a->rate, 22050);

    // An undecodable file does not hide a good one further down the list.
    const auto b = load(folders, "b.wav");
    ASSERT_TRUE(b.has_value());
    EXPECT_EQ(b->rate, 48000);

    EXPECT_FALSE(load(folders, "c.wav").has_value());
}

TEST(CueLookup, RefusesNamesThatReachOutsideTheFolders) {
    TempDir outer;
    fs::create_directories(outer / "cues" / "sub");
    // A file for each name to reach, were it let through: only the refusal keeps it unheard.
    writeTone(outer / "x.wav", {});
    writeTone(outer / "cues" / "x.wav", {});
    writeTone(outer / "cues" / "sub" / "x.wav", {});
    const std::vector<fs::path> folders{outer / "cues"};
    const std::string withNul("x.wav\0", 6);
    for (const std::string& name :
         {std::string(), std::string("."), std::string(".."), std::string("../x.wav"),
          std::string("sub/x.wav"), (outer / "x.wav").string(), withNul}) {
        EXPECT_FALSE(load(folders, name).has_value()) << name;
    }
    EXPECT_TRUE(load(folders, "x.wav").has_value());
}

TEST(CueLookup, SkipsFoldersAndFifosCarryingACueName) {
    TempDir dir, fallback;
    fs::create_directory(dir / "folder.wav");
    ASSERT_EQ(mkfifo((dir / "pipe.wav").c_str(), 0600), 0);
    writeTone(fallback / "pipe.wav", {.rate = 16000});
    const std::vector<fs::path> folders{dir.path(), fallback.path()};
    EXPECT_FALSE(load(folders, "folder.wav").has_value());
    // Opening the FIFO would block for good; the lookup must pass it by.
    const auto pipe = load(folders, "pipe.wav");
    ASSERT_TRUE(pipe.has_value());
    EXPECT_EQ(pipe->rate, 16000);
}

TEST(CueLookup, EmptyCorruptAndTruncatedFilesAreNotCues) {
    TempDir dir;
    writeBytes(dir / "empty.wav", "");
    writeBytes(dir / "text.wav", "RIFF? no, just a line of text\n");
    writeTone(dir / "whole.wav", {.seconds = 1.0});
    std::string header(44, '\0');
    {
        std::ifstream in(dir / "whole.wav", std::ios::binary);
        in.read(header.data(), 44);
    }
    writeBytes(dir / "header-only.wav", header);
    const std::vector<fs::path> folders{dir.path()};
    EXPECT_FALSE(load(folders, "empty.wav").has_value());
    EXPECT_FALSE(load(folders, "text.wav").has_value());
    EXPECT_FALSE(load(folders, "header-only.wav").has_value());
}

} // namespace
