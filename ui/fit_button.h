// SPDX-License-Identifier: MIT
#pragma once

#include "ui/fit_font.h"

#include <QPushButton>

namespace ui {

// A push button, sized by the table, whose caption is drawn in a font that fits inside it
// (see fit_font.h), so a long caption or a large desktop font is never clipped.
class FitButton final : public QPushButton {
    Q_OBJECT

public:
    explicit FitButton(const QString& text, QWidget* parent = nullptr);

    [[nodiscard]] QFont shownFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    mutable LineFit fit_;
};

} // namespace ui
