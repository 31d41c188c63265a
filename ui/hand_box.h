// SPDX-License-Identifier: MIT
#pragma once

#include <QPlainTextEdit>
#include <QTextDocument>

namespace ui {

// The player's hand: plain text that the player can read, select and scroll but not type into.
// Its box is small and its size given by the table, so the text is set in the largest font at which
// the whole hand fits (see fit_font.h); a hand too long even for the smallest font scrolls, kept at
// its newest card. An empty hand takes no focus, so no focus is left on a box that says nothing.
class HandBox final : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit HandBox(QWidget* parent = nullptr);

    [[nodiscard]] bool hasCards() const { return !document()->isEmpty(); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fitText();
};

} // namespace ui
