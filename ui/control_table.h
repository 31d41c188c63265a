// SPDX-License-Identifier: MIT
#pragma once

#include "game/view.h"

#include <array>

namespace ui {

enum class ControlKind { Label, Text, Button };

// A control of the game's window as it was designed: geometry in twips from the client area's
// top-left corner.
struct ControlLayout {
    game::Control control;
    ControlKind kind;
    const char* caption; // UTF-8
    int left;
    int top;
    int width;
    int height;
    bool visible; // at creation
};

// Listed in tab order: the focusable controls (Text1 and the buttons) take the focus in this
// order; the labels never take it.
inline constexpr std::array<ControlLayout, 18> kControls{{
    {game::Control::Text1, ControlKind::Text, "", 567, 1701, 3515, 495, false},
    {game::Control::Command1, ControlKind::Button, "Еще", 567, 2500, 1474, 495, false},
    {game::Control::Command2, ControlKind::Button, "Бери себе", 2608, 2500, 1474, 495, false},
    {game::Control::Command3, ControlKind::Button, "Еще", 567, 2551, 1474, 495, false},
    {game::Control::Command4, ControlKind::Button, "Мне хватит", 2608, 2551, 1474, 495, false},
    {game::Control::Label1, ControlKind::Label, "Ваши карты", 567, 1417, 3515, 283, true},
    {game::Control::Label2, ControlKind::Label, "Счет", 567, 0, 283, 227, true},
    {game::Control::Label3, ControlKind::Label, "", 850, 0, 850, 227, true},
    {game::Control::Label4, ControlKind::Label, "", 1701, 0, 567, 227, true},
    {game::Control::Label5, ControlKind::Label, "Счет компа", 567, 283, 1134, 227, true},
    {game::Control::Label6, ControlKind::Label, "", 1701, 283, 567, 227, true},
    {game::Control::Label7, ControlKind::Label, "На кону", 567, 567, 1134, 283, true},
    {game::Control::Label8, ControlKind::Label, "", 1701, 567, 567, 283, true},
    {game::Control::Command5, ControlKind::Button, "Делайте ставки", 1616, 2551, 1417, 567, true},
    {game::Control::Command6, ControlKind::Button, "25", 240, 2551, 595, 567, false},
    {game::Control::Command7, ControlKind::Button, "50", 1200, 2551, 595, 567, false},
    {game::Control::Command8, ControlKind::Button, "100", 2160, 2551, 595, 567, false},
    {game::Control::Command9, ControlKind::Button, "200", 3137, 2551, 595, 567, false},
}};

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
