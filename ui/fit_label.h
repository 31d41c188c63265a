// SPDX-License-Identifier: MIT
#pragma once

#include "ui/fit_font.h"

#include <QLabel>

namespace ui {

// A plain-text, one-line, left-aligned label, sized by the table, that draws its caption in a font
// that fits the box (see fit_font.h), cut short with an ellipsis only when even the smallest font
// is too wide. text() always returns the whole caption. Honours indent(); aligned at the top or
// centred vertically.
class FitLabel final : public QLabel {
    Q_OBJECT

public:
    explicit FitLabel(const QString& text, QWidget* parent = nullptr);

    // The font and the text actually drawn, for the current caption and size.
    [[nodiscard]] QFont shownFont() const;
    [[nodiscard]] QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    [[nodiscard]] QRect textRect() const;

    mutable LineFit fit_;
};

} // namespace ui
