// SPDX-License-Identifier: MIT
#pragma once

#include "temp_dir.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace soundtest {

struct ToneSpec {
    double seconds = 0.5;
    double hz = 440.0;
    int rate = 44100;
    int channels = 1;
    int format = 0; // libsndfile format; 0 = 16-bit PCM WAV
    double amplitude = 0.5;
};
// A steady sine with 3 ms fades, in any layout libsndfile writes.
void writeTone(const std::filesystem::path& path, const ToneSpec& tone);
void writeBytes(const std::filesystem::path& path, std::string_view bytes);

struct Decoded {
    int rate = 0;
    int channels = 0;
    int format = 0;
    std::vector<float> samples; // interleaved
    [[nodiscard]] double seconds() const;
};
// Empty samples when libsndfile cannot decode the file.
[[nodiscard]] Decoded decode(const std::filesystem::path& path);

[[nodiscard]] double peakOf(const std::vector<float>& samples);
// Amplitude of the component at hz (Goertzel), for a sine of amplitude a about a.
[[nodiscard]] double toneLevel(const std::vector<float>& samples, int rate, double hz);

using Clock = std::chrono::steady_clock;

// Sets an environment variable, or unsets it when given nothing, for as long as it lives; then
// puts back what was there.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> saved_;
};

[[nodiscard]] double millisecondsSince(Clock::time_point start);

} // namespace soundtest
