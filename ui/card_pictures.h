// SPDX-License-Identifier: MIT
#pragma once

#include "game/cards.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <QTimer>

#include <array>
#include <bitset>
#include <filesystem>
#include <memory>
#include <vector>

namespace ui {

// The 36 cards' pictures, drawn from a deck in the card-theme format of Debian's gnome-cards-data:
// one SVG (or SVGZ) file with an element per card, club_6 … club_10, club_jack, club_queen,
// club_king and club_1 for the ace, the same for diamond, heart and spade.
//
// Reading the deck takes tens of milliseconds and a card a few more, so both happen on a thread
// of their own: nothing here ever holds up the window. A picture is rendered once for the size
// asked and kept until two other sizes have been asked for since. A deck that cannot be read, or
// that lacks a card, gives no pictures at all, and says so in one line on standard error.
class CardPictures final : public QObject {
    Q_OBJECT

public:
    enum class State { NotLoaded, Loading, Ready, Failed };

    // The files to try, in order; the first that holds every card is the deck. With none, there
    // are no pictures and nothing is said about it.
    explicit CardPictures(std::vector<std::filesystem::path> deckFiles, QObject* parent = nullptr);
    // Waits for the card being rendered, if any.
    ~CardPictures() override;

    CardPictures(const CardPictures&) = delete;
    CardPictures& operator=(const CardPictures&) = delete;

    // Where Debian's gnome-cards-data keeps the Russian pack: with Cyrillic corner letters, and
    // the same art with Latin ones.
    [[nodiscard]] static std::vector<std::filesystem::path> debianDeck();

    // Starts reading the deck; later calls do nothing.
    void load();
    [[nodiscard]] State state() const { return state_; }
    // A card's width over its height; meaningful once Ready.
    [[nodiscard]] qreal aspect() const { return aspect_; }

    // Asks for the pictures at devicePixels, those of first at once. Once the size has settled,
    // the other cards are rendered ahead too, unless the 36 together would take much memory.
    void request(QSize devicePixels, const std::vector<game::Card>& first);

    // The card at the size asked last; null until it is rendered.
    [[nodiscard]] QImage picture(game::Card card) const;
    // The card at the size asked before, kept as a stand-in until the new one comes.
    [[nodiscard]] QImage previousPicture(game::Card card) const;

signals:
    // The state has changed, or a picture of the size asked last has come.
    void changed();

private:
    struct Worker;
    using Pictures = std::array<QImage, game::kDeckSize>;

    void accept(int card, QSize size, const QImage& picture);
    void finishLoading(bool loaded, qreal aspect);
    void renderAhead();
    void queueTheRest(); // with the worker's mutex held

    std::unique_ptr<Worker> worker_;
    State state_ = State::NotLoaded;
    qreal aspect_ = 1;
    QSize size_;
    Pictures pictures_;
    QSize previousSize_;
    Pictures previousPictures_;
    std::bitset<game::kDeckSize> requested_; // at size_
    QTimer renderAhead_;
};

} // namespace ui
