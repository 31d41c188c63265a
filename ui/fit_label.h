// SPDX-License-Identifier: MIT
#pragma once

#include "ui/fit_font.h"

#include <QLabel>

class QPainter;

namespace ui {

// A plain-text, one-line, left-aligned label, sized by the table, that draws its caption in a font
// that fits the box (see fit_font.h), cut short with an ellipsis only when even the smallest font
// is too wide. text() always returns the whole caption. Honours indent(); aligned at the top or
// centred vertically.
//
// A label may be let reach into the free table on its left: a caption wider than its box then
// keeps the full font and ends at the box's right edge, its start drawn by the table beside it.
// The box itself, and so what a screen reader reports of it, stays as the table placed it.
class FitLabel final : public QLabel {
    Q_OBJECT

public:
    explicit FitLabel(const QString& text, QWidget* parent = nullptr);

    // How many pixels left of its box the caption may start; 0 (none) unless told.
    void setReachLeft(int pixels);

    // The font and the text actually drawn, for the current caption and size.
    [[nodiscard]] QFont shownFont() const;
    [[nodiscard]] QString shownText() const;
    // Where the caption may be drawn, in the label's coordinates: its box and the reach.
    [[nodiscard]] QRect captionRect() const;
    // The part of the caption drawn left of the box, in the label's coordinates; empty if none.
    [[nodiscard]] QRect overhang() const;
    // Draws the caption in the label's coordinates, for the label and for the table beneath it.
    void paintCaption(QPainter& painter) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    [[nodiscard]] QRect textRect() const;
    [[nodiscard]] qreal captionLeft() const;

    mutable LineFit fit_;
    int reachLeft_ = 0;
    QRect paintedOverhang_; // where the table last had to draw, in its own coordinates
};

} // namespace ui
