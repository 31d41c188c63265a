// SPDX-License-Identifier: MIT
#include "synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sndfile.h>

namespace cuegen {

namespace {

constexpr double twoPi = 2.0 * std::numbers::pi;

[[nodiscard]] double timeOf(std::size_t index) {
    return static_cast<double>(index) / sampleRate;
}

[[nodiscard]] std::size_t samplesIn(double seconds) {
    return static_cast<std::size_t>(std::lround(seconds * sampleRate));
}

// A sound cut off while still ringing clicks; ease the last few milliseconds down to zero.
void taper(Signal& signal) {
    const std::size_t length = std::min(signal.size(), samplesIn(0.015));
    for (std::size_t i = 0; i < length; ++i) {
        signal[signal.size() - 1 - i] *= static_cast<double>(i) / static_cast<double>(length);
    }
}

} // namespace

Signal silence(double seconds) {
    return Signal(samplesIn(seconds), 0.0);
}

void mix(Signal& dst, const Signal& src, double at, double gain) {
    const std::size_t offset = samplesIn(at);
    if (dst.size() < offset + src.size()) {
        dst.resize(offset + src.size(), 0.0);
    }
    for (std::size_t i = 0; i < src.size(); ++i) {
        dst[offset + i] += gain * src[i];
    }
}

void shape(Signal& signal, const Curve& envelope) {
    for (std::size_t i = 0; i < signal.size(); ++i) {
        signal[i] *= envelope(timeOf(i));
    }
}

double swell(double t, double attack, double hold, double release) {
    if (t < attack) {
        return t / attack;
    }
    if (t < hold) {
        return 1.0;
    }
    return std::exp(-(t - hold) / release);
}

Signal strike(double frequency, double seconds, std::span<const Partial> partials) {
    Signal out = silence(seconds);
    for (const auto& partial : partials) {
        const double f = frequency * partial.ratio;
        if (f >= 0.45 * sampleRate) {
            continue;
        }
        for (std::size_t i = 0; i < out.size(); ++i) {
            const double t = timeOf(i);
            const double attack = std::min(1.0, t / 0.002);
            out[i] +=
                partial.amplitude * attack * std::exp(-t / partial.decay) * std::sin(twoPi * f * t);
        }
    }
    taper(out);
    return out;
}

Signal voice(double seconds, const Curve& pitch, const Timbre& timbre, const Curve& envelope) {
    constexpr int maxHarmonics = 40;
    constexpr double bandTop = 14000.0;
    constexpr double bandFade = 3000.0;
    Signal out = silence(seconds);
    std::vector<double> phases(maxHarmonics + 1, 0.0);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = timeOf(i);
        const double f = pitch(t);
        double sample = 0.0;
        for (int k = 1; k <= maxHarmonics; ++k) {
            const double fk = k * f;
            const double guard = std::clamp((bandTop - fk) / bandFade, 0.0, 1.0);
            phases[k] = std::fmod(phases[k] + twoPi * fk / sampleRate, twoPi);
            if (guard > 0.0) {
                sample += guard * timbre(k, f, t) * std::sin(phases[k]);
            }
        }
        out[i] = sample * envelope(t);
    }
    taper(out);
    return out;
}

Signal noise(double seconds, std::uint32_t seed) {
    Signal out = silence(seconds);
    std::uint32_t state = seed != 0 ? seed : 1u;
    for (auto& sample : out) {
        // xorshift32: tiny, and the same sequence everywhere, unlike the standard distributions
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        sample = static_cast<double>(state) / 2147483648.0 - 1.0;
    }
    return out;
}

Signal bandpass(const Signal& in, const Curve& centre, double q) {
    Signal out(in.size(), 0.0);
    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const double w = twoPi * centre(timeOf(i)) / sampleRate;
        const double alpha = std::sin(w) / (2.0 * q);
        const double a0 = 1.0 + alpha;
        const double y =
            (alpha * in[i] - alpha * x2 + 2.0 * std::cos(w) * y1 - (1.0 - alpha) * y2) / a0;
        x2 = x1;
        x1 = in[i];
        y2 = y1;
        y1 = y;
        out[i] = y;
    }
    return out;
}

void highpass(Signal& signal, double cutoff) {
    const double rc = 1.0 / (twoPi * cutoff);
    const double a = rc / (rc + 1.0 / sampleRate);
    double previousIn = 0.0, previousOut = 0.0;
    for (auto& sample : signal) {
        const double y = a * (previousOut + sample - previousIn);
        previousIn = sample;
        previousOut = y;
        sample = y;
    }
}

bool writeCue(const std::filesystem::path& path, Signal signal) {
    const std::size_t fadeIn = std::min(signal.size() / 4, samplesIn(0.003));
    const std::size_t fadeOut = std::min(signal.size() / 4, samplesIn(0.012));
    for (std::size_t i = 0; i < fadeIn; ++i) {
        signal[i] *= static_cast<double>(i) / static_cast<double>(fadeIn);
    }
    for (std::size_t i = 0; i < fadeOut; ++i) {
        signal[signal.size() - 1 - i] *= static_cast<double>(i) / static_cast<double>(fadeOut);
    }
    double peak = 0.0;
    double energy = 0.0;
    for (double sample : signal) {
        peak = std::max(peak, std::abs(sample));
        energy += sample * sample;
    }
    if (peak == 0.0) {
        return false;
    }
    const double rms = std::sqrt(energy / static_cast<double>(signal.size()));
    // Peak at -3 dBFS, unless a dense sound would then be far louder than the sparse ones.
    const double gain =
        32767.0 * std::min(std::pow(10.0, -3.0 / 20.0) / peak, std::pow(10.0, -12.0 / 20.0) / rms);
    std::vector<short> pcm(signal.size());
    std::transform(signal.begin(), signal.end(), pcm.begin(), [gain](double sample) {
        return static_cast<short>(std::lround(sample * gain));
    });

    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        return false;
    }
    const auto frames = static_cast<sf_count_t>(pcm.size());
    const bool written = sf_writef_short(file, pcm.data(), frames) == frames;
    return sf_close(file) == 0 && written;
}

} // namespace cuegen
