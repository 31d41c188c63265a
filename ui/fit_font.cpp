// SPDX-License-Identifier: MIT
#include "ui/fit_font.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <array>

namespace ui {
namespace {

// Below this a Cyrillic word narrowed to 70% stops being readable at 96 dpi.
constexpr int kFloorPixels = 9;
// Narrowing is tried before shrinking: a slightly narrow letter reads better than a small one.
constexpr std::array<int, 7> kStretches{100, 95, 90, 85, 80, 75, 70};

int pixelsOf(const QFont& font) {
    return std::max(QFontInfo(font).pixelSize(), kFloorPixels);
}

QFont sized(const QFont& base, int pixels, int stretch) {
    QFont font = base;
    font.setPixelSize(pixels);
    font.setStretch(stretch);
    return font;
}

template <typename Fits> QFont firstFitting(const QFont& base, Fits fits) {
    for (int pixels = pixelsOf(base); pixels >= kFloorPixels; --pixels) {
        for (int stretch : kStretches) {
            QFont font = sized(base, pixels, stretch);
            if (fits(font)) {
                return font;
            }
        }
    }
    return legibleFloor(base);
}

qreal wrappedHeight(const QFont& font, const QString& text, qreal width) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        height += line.height();
    }
    layout.endLayout();
    return height;
}

} // namespace

QFont legibleFloor(const QFont& base) {
    return sized(base, std::min(pixelsOf(base), kFloorPixels), kStretches.back());
}

QFont fitLine(const QFont& base, const QString& text, QSizeF box) {
    return firstFitting(base, [&](const QFont& font) {
        const QFontMetricsF metrics(font);
        return metrics.height() <= box.height() && metrics.horizontalAdvance(text) <= box.width();
    });
}

QFont fitWrapped(const QFont& base, const QString& text, QSizeF box, qreal margin) {
    const qreal width = box.width() - 2 * margin;
    const qreal height = box.height() - 2 * margin;
    return firstFitting(base, [&](const QFont& font) {
        return QFontMetricsF(font).height() <= height && wrappedHeight(font, text, width) <= height;
    });
}

QFont LineFit::operator()(const QFont& base, const QString& text, QSizeF box) {
    if (!fitted_ || base != base_ || text != text_ || box != box_) {
        fitted_ = fitLine(base, text, box);
        base_ = base;
        text_ = text;
        box_ = box;
    }
    return *fitted_;
}

} // namespace ui
