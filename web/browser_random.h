// SPDX-License-Identifier: MIT
#pragma once

#include "game/random_source.h"

#include <cstdint>
#include <deque>
#include <random>

namespace web {

// The game's source in the browser: a 64-bit Mersenne twister reseeded from the browser's own
// random source (crypto.getRandomValues) mixed with its clocks.
class BrowserRandom final : public game::RandomSource {
public:
    BrowserRandom();
    void reseed() override;
    [[nodiscard]] double nextFraction() override;

    // For the browser test alone: these fractions come first, in order, whatever reseeds.
    void script(double fraction) { scripted_.push_back(fraction); }

private:
    std::mt19937_64 engine_;
    std::uint64_t reseeds_ = 0;
    std::deque<double> scripted_;
};

} // namespace web
