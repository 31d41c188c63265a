// SPDX-License-Identifier: MIT
#pragma once

#include "game/cards.h"
#include "game/table_layout.h"
#include "ui/card_pictures.h"

#include <QRect>
#include <QWidget>

#include <filesystem>
#include <vector>

namespace ui {

class HandBox;

// The part of the table that no control uses: right of the money, above «Ваши карты».
inline constexpr QRect kHandCardsTwips{game::kHandCardsTwips.left, game::kHandCardsTwips.top,
                                       game::kHandCardsTwips.width, game::kHandCardsTwips.height};

// The player's hand as pictures of its cards, beside the hand box: the cards its text names, in
// its order, shown while it is shown and changed as soon as its text is. They overlap from left
// to right so that the longest hand the rules allow fits: a total past 40 takes the draw away,
// and the twelve lowest cards make 36, so a hand holds at most thirteen cards.
//
// The pictures only repeat what the box says, so they carry no name or description for a screen
// reader to read out a second time, and a deck that cannot be read leaves the box alone. The deck
// is read once the window is first shown, so that it never holds up the window's start.
class HandCards final : public QWidget {
    Q_OBJECT

public:
    // hand must outlive this widget; parent must be a child of the window.
    HandCards(HandBox& hand, std::vector<std::filesystem::path> deckFiles, QWidget* parent);

    [[nodiscard]] CardPictures::State deckState() const { return pictures_.state(); }
    // Where each card of the hand stands, in this widget; a later card lies over the one before.
    [[nodiscard]] std::vector<QRect> cardRects() const;
    // How many cards the last paint drew from their picture at their size.
    [[nodiscard]] int sharpCards() const { return sharpCards_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void followHand();
    void followVisibility();
    void requestPictures();
    // The cards' places in device pixels: all the same size, the first at the left.
    [[nodiscard]] std::vector<QRect> devicePlaces() const;

    HandBox& hand_;
    CardPictures pictures_;
    const game::CardGrid grid_ = game::makeCardGrid();
    std::vector<game::Card> cards_;
    int sharpCards_ = 0;
};

} // namespace ui
