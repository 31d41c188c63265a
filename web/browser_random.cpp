// SPDX-License-Identifier: MIT
#include "web/browser_random.h"

#include <emscripten/emscripten.h>

#include <array>

namespace web {
namespace {

// Four words of the browser's own random source, then the wall clock and the page's clock.
EM_JS(void, zuvik_fill_entropy, (unsigned* out), {
    const words = new Uint32Array(6);
    crypto.getRandomValues(words.subarray(0, 4));
    words[4] = Date.now() >>> 0;
    words[5] = Math.floor(performance.now() * 1000) >>> 0;
    HEAPU32.set(words, out >> 2);
});

} // namespace

BrowserRandom::BrowserRandom() {
    reseed();
}

void BrowserRandom::reseed() {
    std::array<unsigned, 6> words{};
    zuvik_fill_entropy(words.data());
    // The counter keeps two reseeds apart even if the clocks and the random source repeat.
    std::seed_seq seeds{words[0],
                        words[1],
                        words[2],
                        words[3],
                        words[4],
                        words[5],
                        static_cast<std::uint32_t>(++reseeds_)};
    engine_.seed(seeds);
}

double BrowserRandom::nextFraction() {
    if (!scripted_.empty()) {
        const double fraction = scripted_.front();
        scripted_.pop_front();
        return fraction;
    }
    // The top 53 bits as a fraction, as the desktop's source draws them.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

} // namespace web
