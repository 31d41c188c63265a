// SPDX-License-Identifier: MIT
#pragma once

#include "game/view.h"

#include <QDialog>

class QDialogButtonBox;

namespace ui {

// A message too tall for a message box (the rules of the game): the text in a read-only,
// scrolling plain-text view, with the same buttons a message box would have.
class ScrollTextDialog final : public QDialog {
    Q_OBJECT

public:
    ScrollTextDialog(QWidget* parent, const QString& title, const QString& text,
                     game::Buttons buttons);

    // Runs the dialog; returns the result code of a message box with the same buttons.
    [[nodiscard]] int run();

private:
    void fitToScreen(const QString& text);

    QDialogButtonBox* buttonBox_ = nullptr;
    int result_;
};

} // namespace ui
