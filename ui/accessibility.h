// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace ui {

// Gives every control of the game's window (found by its object name under form) a name and a
// description that say what it is for, as a screen reader announces them: the bet buttons as
// "Ставка 100", the hand as "Ваши карты", and the money captions with what they count and the
// amount they show at the moment of reading ("Ваши деньги: 900"), not as bare numbers. The window
// calls it once its controls exist.
void nameControlsForScreenReaders(QWidget& form);

} // namespace ui
