// SPDX-License-Identifier: MIT
#include "game/random_source.h"

#include "game/money.h"

#include <chrono>

namespace game {

SystemRandom::SystemRandom() : entropy_(std::in_place) {
    reseed();
}

SystemRandom::SystemRandom(std::uint64_t seed) : engine_(seed) {}

void SystemRandom::reseed() {
    if (!entropy_) {
        return;
    }
    const auto now = static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
    // The counter keeps two reseeds apart even if the clock and the entropy source repeat.
    std::random_device& entropy = *entropy_;
    std::seed_seq seeds{entropy(),
                        entropy(),
                        entropy(),
                        entropy(),
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
