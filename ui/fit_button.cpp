// SPDX-License-Identifier: MIT
#include "ui/fit_button.h"

#include "ui/fit_font.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace ui {
namespace {

// Keeps the caption clear of the focus frame that some styles draw just inside the bevel.
constexpr int kCaptionPadding = 2;

} // namespace

FitButton::FitButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

QFont FitButton::shownFont() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect box = style()
                          ->subElementRect(QStyle::SE_PushButtonContents, &option, this)
                          .adjusted(kCaptionPadding, 0, -kCaptionPadding, 0);
    return fitLine(font(), text(), box.size());
}

void FitButton::paintEvent(QPaintEvent* /*event*/) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QFont font = shownFont();
    painter.setFont(font);
    option.fontMetrics = QFontMetrics(font);
    painter.drawControl(QStyle::CE_PushButton, option);
}

} // namespace ui
