// SPDX-License-Identifier: MIT
#pragma once

class QApplication;
class QCoreApplication;

namespace ui {

// Names the application (the title of boxes without one of their own) and its desktop entry,
// gives the boxes plain buttons, loads Qt's own Russian texts for them, and sets the window icon
// once the first window is on the screen.
void setUpApplication(QApplication& application);

// Installs Qt's Russian translation (qtbase_ru from Qt's translations folder) into the
// application; the translator is owned by it. False when the file could not be loaded: the
// standard buttons then stay in English.
bool installQtTranslation(QCoreApplication& application);

} // namespace ui
