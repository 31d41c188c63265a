// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QSizeF>
#include <QString>

#include <optional>

namespace ui {

// The window's controls have the sizes of the table, while the player's desktop font, a name or an
// amount of money can be any size. These pick, from the widget's own font downwards, the first font
// at which the text fits its box: first narrowed a little, then smaller, never below a legible
// floor. Past the floor the caller decides (elide or scroll).

// On one line.
[[nodiscard]] QFont fitLine(const QFont& base, const QString& text, QSizeF box);

// Word-wrapped to the box's width (a plain-text paragraph with the given margin round it).
[[nodiscard]] QFont fitWrapped(const QFont& base, const QString& text, QSizeF box, qreal margin);

// The smallest font fitLine() and fitWrapped() will use.
[[nodiscard]] QFont legibleFloor(const QFont& base);

// fitLine() for one caption, kept until its font, text or box changes: a caption is painted far
// more often than it changes, and in a large window trying fonts would take most of a redraw.
class LineFit {
public:
    [[nodiscard]] QFont operator()(const QFont& base, const QString& text, QSizeF box);

private:
    std::optional<QFont> fitted_;
    QFont base_;
    QString text_;
    QSizeF box_;
};

} // namespace ui
