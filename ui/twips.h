// SPDX-License-Identifier: MIT
#pragma once

namespace ui {

// The window was designed at 15 twips to the device-independent pixel: its size as it opens.
inline constexpr int kTwipsPerPixel = 15;

// Twips to device-independent pixels at the size the window opens at, rounded to the nearest
// pixel.
[[nodiscard]] constexpr int pixels(int twips) {
    return (2 * twips + kTwipsPerPixel) / (2 * kTwipsPerPixel);
}

// The client area below the menu bar, in twips, and in pixels at the size the window opens at.
inline constexpr int kClientWidthTwips = 4680;
inline constexpr int kClientHeightTwips = 3150;
inline constexpr int kClientWidth = pixels(kClientWidthTwips);
inline constexpr int kClientHeight = pixels(kClientHeightTwips);

} // namespace ui
