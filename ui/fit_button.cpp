// SPDX-License-Identifier: MIT
#include "ui/fit_button.h"

#include "ui/fit_font.h"

#include <QFontInfo>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace ui {
namespace {

// Keeps the caption clear of the focus frame that some styles draw just inside the bevel: 2 px at
// the usual 12 px font, growing with the font as the table grows.
int captionPadding(const QFont& font) {
    constexpr int kMinimum = 2;
    constexpr int kFontPixelsPerPaddingPixel = 6;
    return std::max(kMinimum, QFontInfo(font).pixelSize() / kFontPixelsPerPaddingPixel);
}

} // namespace

FitButton::FitButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

QFont FitButton::shownFont() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect box = style()
                          ->subElementRect(QStyle::SE_PushButtonContents, &option, this)
                          .adjusted(captionPadding(font()), 0, -captionPadding(font()), 0);
    return fit_(font(), text(), box.size());
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
