// SPDX-License-Identifier: MIT
#include "test_audio.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <sndfile.h>
#include <stdexcept>
#include <string>

namespace soundtest {

namespace fs = std::filesystem;

void writeTone(const fs::path& path, const ToneSpec& tone) {
    SF_INFO info{};
    info.samplerate = tone.rate;
    info.channels = tone.channels;
    info.format = tone.format != 0 ? tone.format : SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        throw std::runtime_error("cannot write " + path.string());
    }
    const auto frames = static_cast<std::size_t>(std::lround(tone.seconds * tone.rate));
    const double fade = 0.003 * tone.rate;
    std::vector<float> samples(frames * static_cast<std::size_t>(tone.channels));
    for (std::size_t i = 0; i < frames; ++i) {
        const double edge = std::min(
            {1.0, static_cast<double>(i) / fade, static_cast<double>(frames - 1 - i) / fade});
        const double value =
            tone.amplitude * edge *
            std::sin(2.0 * std::numbers::pi * tone.hz * static_cast<double>(i) / tone.rate);
        for (int c = 0; c < tone.channels; ++c) {
            samples[i * static_cast<std::size_t>(tone.channels) + static_cast<std::size_t>(c)] =
                static_cast<float>(value);
        }
    }
    sf_writef_float(file, samples.data(), static_cast<sf_count_t>(frames));
    sf_close(file);
}

void writeBytes(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

double Decoded::seconds() const {
    return rate > 0 && channels > 0
               ? static_cast<double>(samples.size()) / channels / static_cast<double>(rate)
               : 0.0;
}

Decoded decode(const fs::path& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    Decoded out;
    if (file == nullptr) {
        return out;
    }
    out.rate = info.samplerate;
    out.channels = info.channels;
    out.format = info.format;
    out.samples.resize(static_cast<std::size_t>(info.frames) *
                       static_cast<std::size_t>(info.channels));
    const sf_count_t got = sf_readf_float(file, out.samples.data(), info.frames);
    out.samples.resize(static_cast<std::size_t>(std::max<sf_count_t>(got, 0)) *
                       static_cast<std::size_t>(info.channels));
    sf_close(file);
    return out;
}

double peakOf(const std::vector<float>& samples) {
    double peak = 0.0;
    for (float sample : samples) {
        peak = std::max(peak, static_cast<double>(std::abs(sample)));
    }
    return peak;
}

double toneLevel(const std::vector<float>& samples, int rate, double hz) {
    if (samples.empty()) {
        return 0.0;
    }
    const double coefficient = 2.0 * std::cos(2.0 * std::numbers::pi * hz / rate);
    double s1 = 0.0, s2 = 0.0;
    for (float sample : samples) {
        const double s0 = sample + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    const double power = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
    return 2.0 * std::sqrt(std::max(power, 0.0)) / static_cast<double>(samples.size());
}

ScopedEnv::ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* saved = std::getenv(name)) {
        saved_ = saved;
    }
    if (value != nullptr) {
        setenv(name, value, 1);
    } else {
        unsetenv(name);
    }
}

ScopedEnv::~ScopedEnv() {
    if (saved_) {
        setenv(name_, saved_->c_str(), 1);
    } else {
        unsetenv(name_);
    }
}

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

} // namespace soundtest
