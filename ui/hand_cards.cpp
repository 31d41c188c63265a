// SPDX-License-Identifier: MIT
#include "ui/hand_cards.h"

#include "ui/hand_box.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>

namespace ui {
namespace {

// Of the height, above and below the cards and between two cards that do not overlap.
constexpr qreal kMargin = 0.04;

int rounded(qreal value) {
    return static_cast<int>(std::lround(value));
}

QRectF logical(QRect devicePixels, qreal ratio) {
    return {devicePixels.x() / ratio, devicePixels.y() / ratio, devicePixels.width() / ratio,
            devicePixels.height() / ratio};
}

} // namespace

HandCards::HandCards(HandBox& hand, std::vector<std::filesystem::path> deckFiles, QWidget* parent)
    : QWidget(parent), hand_(hand), pictures_(std::move(deckFiles)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    connect(&hand_, &QPlainTextEdit::textChanged, this, &HandCards::followHand);
    connect(&pictures_, &CardPictures::changed, this, [this] {
        followVisibility();
        requestPictures();
        update();
    });
    hand_.installEventFilter(this);
    window()->installEventFilter(this);
    followHand();
    followVisibility();
}

bool HandCards::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &hand_ &&
        (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)) {
        followVisibility();
    } else if (watched == window() && event->type() == QEvent::Show) {
        window()->removeEventFilter(this);
        pictures_.load();
    }
    return QWidget::eventFilter(watched, event);
}

void HandCards::resizeEvent(QResizeEvent* /*event*/) {
    requestPictures();
}

void HandCards::followHand() {
    cards_ = game::cardsOfHand(grid_, hand_.toPlainText().toStdString());
    requestPictures();
    update();
}

void HandCards::followVisibility() {
    setVisible(hand_.isVisibleTo(parentWidget()) &&
               pictures_.state() != CardPictures::State::Failed);
}

void HandCards::requestPictures() {
    if (pictures_.state() != CardPictures::State::Ready) {
        return;
    }
    const std::vector<QRect> places = devicePlaces();
    if (!places.empty()) {
        pictures_.request(places.front().size(), cards_);
    }
}

std::vector<QRect> HandCards::devicePlaces() const {
    const qreal ratio = devicePixelRatioF();
    const int height = rounded(this->height() * ratio);
    const int margin = rounded(height * kMargin);
    const QSize card(rounded((height - 2 * margin) * pictures_.aspect()), height - 2 * margin);
    if (card.isEmpty() || pictures_.state() != CardPictures::State::Ready) {
        return {};
    }
    const int room = rounded(width() * ratio) - 2 * margin - card.width();
    const auto count = static_cast<int>(std::max<std::size_t>(cards_.size(), 1));
    const qreal step = count > 1 ? std::clamp(static_cast<qreal>(room) / (count - 1), 0.0,
                                              static_cast<qreal>(card.width() + margin))
                                 : 0.0;
    std::vector<QRect> places;
    for (int index = 0; index < count; ++index) {
        places.emplace_back(QPoint(margin + rounded(index * step), margin), card);
    }
    return places;
}

std::vector<QRect> HandCards::cardRects() const {
    std::vector<QRect> rects;
    const std::vector<QRect> places = devicePlaces();
    for (std::size_t index = 0; index < cards_.size() && index < places.size(); ++index) {
        rects.push_back(logical(places[index], devicePixelRatioF()).toRect());
    }
    return rects;
}

void HandCards::paintEvent(QPaintEvent* /*event*/) {
    requestPictures();
    const std::vector<QRect> places = devicePlaces();
    const qreal ratio = devicePixelRatioF();
    QPainter painter(this);
    sharpCards_ = 0;
    for (std::size_t index = 0; index < cards_.size() && index < places.size(); ++index) {
        const QRect place = places[index];
        if (const QImage picture = pictures_.picture(cards_[index]);
            picture.size() == place.size()) {
            painter.drawImage(logical(place, ratio), picture);
            ++sharpCards_;
        } else if (const QImage standIn = pictures_.previousPicture(cards_[index]);
                   !standIn.isNull()) {
            // For the moment a new size takes to render, the card as it was, neither stretched
            // nor past its new place.
            const QRect shown(place.topLeft(), standIn.size().boundedTo(place.size()));
            painter.drawImage(logical(shown, ratio), standIn, QRectF(QPointF(0, 0), shown.size()));
        }
    }
}

} // namespace ui
