// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

struct sf_private_tag;

namespace sound {

// A cue is named by a bare file name. Anything that could reach outside the cue folders
// (a separator, "..", an empty name, an embedded NUL) is not a cue name.
[[nodiscard]] bool isBareCueName(std::string_view name);

// One cue file opened for decoding, in any format and layout libsndfile reads.
class CueFile {
public:
    // The first folders[i] / name that is a regular file libsndfile can decode and that holds at
    // least one frame; nothing for a name that is not bare (see isBareCueName).
    [[nodiscard]] static std::optional<CueFile>
    open(const std::vector<std::filesystem::path>& folders, std::string_view name);

    [[nodiscard]] int channels() const { return channels_; }
    [[nodiscard]] int rate() const { return rate_; }
    [[nodiscard]] std::chrono::microseconds length() const;
    [[nodiscard]] const std::filesystem::path& path() const { return path_; }

    // Decodes the next whole frames into out as interleaved floats in [-1, 1]; out's size is a
    // multiple of channels(). Returns the number of frames decoded, 0 at the end or on a fault.
    [[nodiscard]] std::size_t read(std::span<float> out);

private:
    struct Closer {
        void operator()(sf_private_tag* file) const;
    };

    CueFile(std::unique_ptr<sf_private_tag, Closer> file, std::int64_t frames, int channels,
            int rate, std::filesystem::path path);

    std::unique_ptr<sf_private_tag, Closer> file_;
    std::int64_t frames_;
    int channels_;
    int rate_;
    std::filesystem::path path_;
};

} // namespace sound
