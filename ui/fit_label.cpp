// SPDX-License-Identifier: MIT
#include "ui/fit_label.h"

#include "ui/fit_font.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace ui {

FitLabel::FitLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
}

QRect FitLabel::textRect() const {
    return contentsRect().adjusted(std::max(indent(), 0), 0, 0, 0);
}

QFont FitLabel::shownFont() const {
    return fit_(font(), text(), textRect().size());
}

QString FitLabel::shownText() const {
    return QFontMetrics(shownFont()).elidedText(text(), Qt::ElideRight, textRect().width());
}

void FitLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
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
    painter.drawText(QPointF(box.left(), top + ascent), shownText());
}

} // namespace ui
