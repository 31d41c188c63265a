// SPDX-License-Identifier: MIT
#pragma once

#include "game/table_layout.h"

namespace ui {

using game::kTwipsPerPixel;

// Twips to device-independent pixels at the size the window opens at, rounded to the nearest
// pixel.
[[nodiscard]] constexpr int pixels(int twips) {
    return (2 * twips + kTwipsPerPixel) / (2 * kTwipsPerPixel);
}

// The client area below the menu bar, in twips, and in pixels at the size the window opens at.
using game::kClientHeightTwips;
using game::kClientWidthTwips;
inline constexpr int kClientWidth = pixels(kClientWidthTwips);
inline constexpr int kClientHeight = pixels(kClientHeightTwips);

} // namespace ui
