// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace sound {

// A cue's sound, decoded whole.
struct Cue {
    int rate = 0;
    int channels = 0;
    std::vector<float> samples; // interleaved, whole frames, in [-1, 1]

    [[nodiscard]] std::chrono::microseconds length() const {
        const std::size_t frames = samples.size() / static_cast<std::size_t>(channels);
        return std::chrono::microseconds(frames * 1'000'000 / static_cast<std::size_t>(rate));
    }
};

// Decodes the first folders[i] / name that is a regular file libsndfile reads and that holds at
// least one frame, in any format and layout libsndfile knows, up to its first `longest`; nothing
// for a name that is not bare: one that could reach outside the folders (a separator, "..", an
// empty name, an embedded NUL).
[[nodiscard]] std::optional<Cue> loadCue(const std::vector<std::filesystem::path>& folders,
                                         std::string_view name, std::chrono::seconds longest);

} // namespace sound
