// SPDX-License-Identifier: MIT
#pragma once

#include "game/controls.h"

namespace game {

// The table below the menu bar, in twips, as both homes lay it out and scale it.
inline constexpr int kClientWidthTwips = 4680;
inline constexpr int kClientHeightTwips = 3150;
// The window was designed at 15 twips to the device-independent pixel: its size as it opens.
inline constexpr int kTwipsPerPixel = 15;

// Where the pictures of the player's cards stand, beside the money lines and above the hand.
inline constexpr Twips kHandCardsTwips{2268, 0, 2412, 1417};

} // namespace game
