// SPDX-License-Identifier: MIT
#include "ui/fit_label.h"

#include "ui/fit_font.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ui {

FitLabel::FitLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
}

void FitLabel::setReachLeft(int pixels) {
    if (pixels != reachLeft_) {
        reachLeft_ = std::max(pixels, 0);
        update();
    }
}

QRect FitLabel::textRect() const {
    return contentsRect().adjusted(std::max(indent(), 0), 0, 0, 0);
}

QRect FitLabel::captionRect() const {
    return textRect().adjusted(-reachLeft_, 0, 0, 0);
}

QFont FitLabel::shownFont() const {
    return fit_(font(), text(), captionRect().size());
}

QString FitLabel::shownText() const {
    return QFontMetrics(shownFont()).elidedText(text(), Qt::ElideRight, captionRect().width());
}

// A caption that fits its box starts where the box does; a wider one ends where the box does.
qreal FitLabel::captionLeft() const {
    const QRect box = textRect();
    const qreal width = QFontMetricsF(shownFont()).horizontalAdvance(shownText());
    return width <= box.width()
               ? box.left()
               : std::max<qreal>(box.left() + box.width() - width, captionRect().left());
}

QRect FitLabel::overhang() const {
    const int left = static_cast<int>(std::floor(captionLeft()));
    return left < 0 ? QRect(left, 0, -left, height()) : QRect();
}

void FitLabel::paintCaption(QPainter& painter) const {
    const QRect box = textRect();
    const QFont shown = shownFont();
    painter.setFont(shown);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    // A caption set smaller to fit stands on the same baseline as its full-size neighbours
    // rather than floating above them.
    const QFontMetricsF full(font());
    const QFontMetricsF fitted(shown);
    const qreal top = alignment().testFlag(Qt::AlignVCenter)
                          ? box.top() + (box.height() - fitted.height()) / 2
                          : box.top();
    const qreal ascent = full.height() <= box.height() && !alignment().testFlag(Qt::AlignVCenter)
                             ? full.ascent()
                             : fitted.ascent();
    // drawText() at a point takes the text as it is: no markup, no mnemonics.
    painter.drawText(QPointF(captionLeft(), top + ascent), shownText());
}

void FitLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    paintCaption(painter);
    // The table draws what reaches past the box; it is told whenever that changes, which no
    // repaint of the label itself would show.
    const QRect overhanging = overhang().translated(pos());
    if (overhanging != paintedOverhang_ && parentWidget() != nullptr) {
        parentWidget()->update(paintedOverhang_.united(overhanging));
        paintedOverhang_ = overhanging;
    }
}

} // namespace ui
