// SPDX-License-Identifier: MIT
#include "game/random_source.h"

#include "game/money.h"

#include <chrono>

namespace game {

SystemRandom::SystemRandom() {
    reseed();
}

void SystemRandom::reseed() {
    const auto now = static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
    // The counter keeps two reseeds apart even if the clock and the entropy source repeat.
    std::seed_seq seeds{entropy_(),
                        entropy_(),
                        entropy_(),
                        entropy_(),
                        static_cast<std::uint32_t>(now),
                        static_cast<std::uint32_t>(now >> 32),
                        static_cast<std::uint32_t>(++reseeds_)};
    engine_.seed(seeds);
}

double SystemRandom::nextFraction() {
    // The top 53 bits as a fraction: exactly uniform on the doubles' grid and never 1.0.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

int scaledDraw(RandomSource& random, double scale, double offset) {
    return static_cast<int>(roundHalfEven(random.nextFraction() * scale + offset));
}

} // namespace game
