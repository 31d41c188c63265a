// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace game {

// The colours of the table, the same in every home of the game: a card-table felt, darker
// towards the player, and the ink of the captions laid on it. The buttons, the hand box, the
// menus and the boxes keep the style of the desktop or the browser.
struct Rgb {
    std::uint8_t r;
    std::uint8_t g;
    std::uint8_t b;
};

inline constexpr Rgb kFelt{0x23, 0x6b, 0x3e};
inline constexpr Rgb kFeltBottom{0x17, 0x4d, 0x2b};
inline constexpr Rgb kCaptionInk{0xff, 0xff, 0xff};

namespace detail {
// sRGB to linear light, to the precision the contrast check needs: the exact curve's power
// 2.4 by a few steps of Newton's method on a fifth root, all in constexpr.
constexpr double linear(std::uint8_t channel) {
    const double c = channel / 255.0;
    if (c <= 0.04045) {
        return c / 12.92;
    }
    const double base = (c + 0.055) / 1.055;
    double root = 1.0; // base^(1/5), base in (0, 1]
    for (int step = 0; step < 40; ++step) {
        const double r4 = root * root * root * root;
        root -= (r4 * root - base) / (5.0 * r4);
    }
    const double b2 = base * base;
    return b2 * root * root; // base^2 * base^(2/5) = base^2.4
}
} // namespace detail

// The relative luminance and contrast ratio by which legibility is judged (WCAG 2).
[[nodiscard]] constexpr double luminance(Rgb colour) {
    return 0.2126 * detail::linear(colour.r) + 0.7152 * detail::linear(colour.g) +
           0.0722 * detail::linear(colour.b);
}
[[nodiscard]] constexpr double contrast(Rgb a, Rgb b) {
    const double la = luminance(a) + 0.05;
    const double lb = luminance(b) + 0.05;
    return la > lb ? la / lb : lb / la;
}

// Captions stay readable anywhere on the felt, its lighter top included.
static_assert(contrast(kCaptionInk, kFelt) >= 4.5);
static_assert(contrast(kCaptionInk, kFeltBottom) >= 4.5);

} // namespace game
