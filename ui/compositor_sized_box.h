// SPDX-License-Identifier: MIT
#pragma once

class QDialog;

namespace ui {

// On Wayland, lets the box take any size the compositor gives it, from its own upwards: maximized
// too, which Qt 6.4's own title bar offers on every window. Weston cuts off a client whose window
// then keeps its size, and a box of fixed size did. Elsewhere the window manager honours a fixed
// size, and nothing changes. Call before the box is shown.
void letTheCompositorSize(QDialog& box);

} // namespace ui
