// SPDX-License-Identifier: MIT
#pragma once

class QApplication;

namespace ui {

// Names the application (the title of boxes without one of their own) and its desktop entry,
// gives the boxes plain buttons, loads Qt's own Russian texts for them, and sets the window icon
// once the first window is on the screen.
void setUpApplication(QApplication& application);

} // namespace ui
