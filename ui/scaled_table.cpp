// SPDX-License-Identifier: MIT
#include "ui/scaled_table.h"

#include "game/table_look.h"
#include "ui/fit_label.h"
#include "ui/twips.h"

#include <QApplication>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ui {
namespace {

int scaled(int twips, qreal factor) {
    return static_cast<int>(std::lround(twips * factor / kTwipsPerPixel));
}

QFont scaledFont(const QFont& base, qreal factor) {
    QFont font = base;
    if (base.pointSizeF() > 0) {
        font.setPointSizeF(base.pointSizeF() * factor);
    } else {
        font.setPixelSize(static_cast<int>(std::lround(base.pixelSize() * factor)));
    }
    return font;
}

QColor qColor(game::Rgb colour) {
    return {colour.r, colour.g, colour.b};
}

} // namespace

ScaledTable::ScaledTable(QSize twips, QWidget* parent) : QWidget(parent), twips_(twips) {
    setMinimumSize(pixels(twips.width()), pixels(twips.height()));
}

void ScaledTable::place(QWidget* control, QRect twips) {
    controls_.emplace_back(control, twips);
    // Placed at once, so that the controls of a window not yet shown have their designed size.
    setControlGeometry(control, twips);
}

void ScaledTable::resizeEvent(QResizeEvent* /*event*/) {
    layOut();
}

void ScaledTable::layOut() {
    const qreal factor = std::min(static_cast<qreal>(width()) * kTwipsPerPixel / twips_.width(),
                                  static_cast<qreal>(height()) * kTwipsPerPixel / twips_.height());
    const bool changed = factor != factor_;
    if (changed) {
        factor_ = factor;
        // From the window's own font each time, so that rounding never accumulates; the controls
        // inherit it, and each one's fitting then shrinks it where its caption needs less.
        const QFont base =
            parentWidget() != nullptr ? parentWidget()->font() : QApplication::font();
        setFont(scaledFont(base, factor));
    }
    origin_ = QPoint((width() - scaled(twips_.width(), factor)) / 2,
                     (height() - scaled(twips_.height(), factor)) / 2);
    for (const auto& [control, twips] : controls_) {
        setControlGeometry(control, twips);
    }
    if (changed) {
        emit factorChanged(factor);
    }
}

void ScaledTable::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    QLinearGradient felt(0, 0, 0, height());
    felt.setColorAt(0, qColor(game::kFelt));
    felt.setColorAt(1, qColor(game::kFeltBottom));
    painter.fillRect(rect(), felt);
    for (const auto& [control, twips] : controls_) {
        const auto* label = qobject_cast<const FitLabel*>(control);
        if (label == nullptr || !label->isVisible()) {
            continue;
        }
        if (const QRect overhang = label->overhang(); !overhang.isEmpty()) {
            painter.save();
            painter.translate(label->pos());
            painter.setClipRect(overhang);
            label->paintCaption(painter);
            painter.restore();
        }
    }
}

// Each of the four numbers is scaled and rounded on its own, as the designed ones were: a
// control's size never depends on where it stands.
void ScaledTable::setControlGeometry(QWidget* control, QRect twips) const {
    control->setGeometry(origin_.x() + scaled(twips.left(), factor_),
                         origin_.y() + scaled(twips.top(), factor_), scaled(twips.width(), factor_),
                         scaled(twips.height(), factor_));
}

} // namespace ui
