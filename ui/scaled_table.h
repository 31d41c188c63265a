// SPDX-License-Identifier: MIT
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <utility>
#include <vector>

namespace ui {

// The window's client area: a table designed in twips, drawn at whatever size the player gives
// the window. Every control's geometry, and the font the controls inherit, is the designed one
// times one factor, the largest at which the whole table fits; the table stays centred, and the
// spare width or height is the window's background. It is never smaller than designed.
//
// The whole client area is the card table's felt, the spare width and height included; the
// table also draws the part of a caption that reaches out of its label (see FitLabel).
class ScaledTable final : public QWidget {
    Q_OBJECT

public:
    explicit ScaledTable(QSize twips, QWidget* parent = nullptr);

    // control must be a child of this table; twips is where it stands on the table as designed.
    void place(QWidget* control, QRect twips);

    [[nodiscard]] qreal factor() const { return factor_; }

    [[nodiscard]] QSize sizeHint() const override { return minimumSize(); }

signals:
    // After the controls and the font have taken the new factor.
    void factorChanged(qreal factor);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void layOut();
    void setControlGeometry(QWidget* control, QRect twips) const;

    QSize twips_;
    std::vector<std::pair<QWidget*, QRect>> controls_;
    qreal factor_ = 1;
    QPoint origin_; // of the scaled table, inside the client area
};

} // namespace ui
