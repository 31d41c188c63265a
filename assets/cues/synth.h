// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <vector>

// A few plain synthesis blocks for the cue generator. Everything is deterministic: the same
// recipe gives the same samples on every build, so the cues never change by accident.
namespace cuegen {

constexpr int sampleRate = 44100;

using Signal = std::vector<double>;
using Curve = std::function<double(double seconds)>;

[[nodiscard]] Signal silence(double seconds);
// Adds src into dst from the given time on, growing dst when src runs past its end.
void mix(Signal& dst, const Signal& src, double at, double gain = 1.0);
void shape(Signal& signal, const Curve& envelope);

// Rises linearly over attack, holds, then falls exponentially with time constant release
// after hold has passed.
[[nodiscard]] double swell(double t, double attack, double hold, double release);

// One mode of a struck object: frequency as a ratio to the fundamental, amplitude, and the
// time constant of its exponential decay.
struct Partial {
    double ratio;
    double amplitude;
    double decay;
};
// A struck tone: bell, chime, coin. Inharmonic partials give metal its ring.
[[nodiscard]] Signal strike(double frequency, double seconds, std::span<const Partial> partials);

// A sustained harmonic tone that follows pitch(t); harmonic k (from 1) of fundamental f at time
// t is weighted by timbre(k, f, t). Harmonics near the top of the audible band fade out
// instead of folding back.
using Timbre = std::function<double(int harmonic, double fundamental, double seconds)>;
[[nodiscard]] Signal voice(double seconds, const Curve& pitch, const Timbre& timbre,
                           const Curve& envelope);

// White noise from a fixed seed.
[[nodiscard]] Signal noise(double seconds, std::uint32_t seed);
// Resonant band-pass whose centre frequency may move over time.
[[nodiscard]] Signal bandpass(const Signal& in, const Curve& centre, double q);
void highpass(Signal& signal, double cutoff);

// Short fades against clicks, the level set (peak at -3 dBFS, loudness at most -12 dBFS RMS),
// written as 16-bit mono WAV. False for a silent signal or a file that cannot be written.
[[nodiscard]] bool writeCue(const std::filesystem::path& path, Signal signal);

} // namespace cuegen
