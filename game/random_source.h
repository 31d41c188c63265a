// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <random>

namespace game {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A fresh seed, taken at every point where the rules reseed from the clock.
    virtual void reseed() = 0;
    // Uniform in [0, 1).
    [[nodiscard]] virtual double nextFraction() = 0;
};

// The game's own source: a 64-bit Mersenne twister, reseeded from the system's entropy
// mixed with a high-resolution clock, so two reseeds in the same millisecond still differ.
class SystemRandom final : public RandomSource {
public:
    SystemRandom();
    // A run that can be played again: the fractions follow from the seed alone, and reseed()
    // leaves them as they go.
    explicit SystemRandom(std::uint64_t seed);
    void reseed() override;
    [[nodiscard]] double nextFraction() override;

private:
    std::optional<std::random_device> entropy_; // none when seeded
    std::mt19937_64 engine_;
    std::uint64_t reseeds_ = 0;
};

// The scaled draw of the rules: u * scale + offset taken to the nearest whole number,
// an exact half going to the even neighbour, so both end values come half as often.
[[nodiscard]] int scaledDraw(RandomSource& random, double scale, double offset);

} // namespace game
