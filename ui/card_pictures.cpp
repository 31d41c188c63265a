// SPDX-License-Identifier: MIT
#include "ui/card_pictures.h"

#include "game/card_theme.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

namespace ui {
namespace {

namespace fs = std::filesystem;

constexpr int kRanks = static_cast<int>(game::kThemeRankIds.size());

// Rendering every card ahead makes a new card instant; past this much memory for the 36, at a
// size only a large high-density screen asks for, only the hand's cards are rendered.
constexpr qsizetype kAheadBytes = 48 * 1024 * 1024;
// The cards not in the hand are rendered once the size has stayed the same this long: a drag of
// the window's border then spends no time on them.
constexpr std::chrono::milliseconds kSettle{250};
// The decks Debian ships weigh a few hundred kilobytes; a file this large is not one.
constexpr std::uintmax_t kLargestDeck = 64 * 1024 * 1024;

int indexOf(game::Card card) {
    return static_cast<int>(card.suit) * kRanks + static_cast<int>(card.rank);
}

QString elementId(int index) {
    const game::Card card{static_cast<game::Rank>(index % kRanks),
                          static_cast<game::Suit>(index / kRanks)};
    return QString::fromStdString(game::themeElementId(card));
}

// Loads file into deck and says why it is not a deck of the 36 cards, or nothing when it is; the
// cards' width over their height then goes to aspect.
std::optional<std::string> readDeck(const fs::path& file, QSvgRenderer& deck, qreal& aspect) {
    std::error_code error;
    if (!fs::is_regular_file(file, error)) {
        return fs::exists(file, error) ? "not a file" : "not found";
    }
    if (fs::file_size(file, error) > kLargestDeck) {
        return "too large for a deck";
    }
    QFile input(QString::fromStdString(file.string()));
    if (!input.open(QIODevice::ReadOnly)) {
        return input.errorString().toStdString();
    }
    const QByteArray bytes = input.readAll();
    if (bytes.isEmpty()) {
        return "empty";
    }
    if (!deck.load(bytes) || !deck.isValid()) {
        return "not an SVG image that can be read";
    }
    for (int index = 0; index < game::kDeckSize; ++index) {
        const QString id = elementId(index);
        if (!deck.elementExists(id) || deck.boundsOnElement(id).isEmpty()) {
            return "no card " + id.toStdString();
        }
    }
    const QRectF card = deck.boundsOnElement(elementId(0));
    aspect = card.width() / card.height();
    return std::nullopt;
}

QImage render(QSvgRenderer& deck, int index, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    deck.render(&painter, elementId(index), QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

} // namespace

// Everything but files and thread is shared with the window's thread, under mutex.
struct CardPictures::Worker {
    std::vector<fs::path> files;
    std::thread thread;
    std::mutex mutex;
    std::condition_variable wake;
    bool quit = false;
    QSize size;
    std::deque<int> queue; // cards to render at size, the next first

    void run(CardPictures* owner);
};

void CardPictures::Worker::run(CardPictures* owner) {
    // Made and used on this thread alone: a renderer is not to be shared between threads.
    QSvgRenderer deck;
    qreal aspect = 1;
    std::optional<std::pair<fs::path, std::string>> failure;
    bool loaded = false;
    for (const fs::path& file : files) {
        const std::optional<std::string> why = readDeck(file, deck, aspect);
        if (!why) {
            loaded = true;
            break;
        }
        // The first file that is there but unfit says more than a missing one.
        if (!failure || (failure->second == "not found" && *why != "not found")) {
            failure.emplace(file, *why);
        }
    }
    if (!loaded) {
        std::fprintf(stderr, "zuvik: the cards are shown as text only: %s: %s\n",
                     failure->first.string().c_str(), failure->second.c_str());
    }
    QMetaObject::invokeMethod(
        owner, [owner, loaded, aspect] { owner->finishLoading(loaded, aspect); },
        Qt::QueuedConnection);
    while (loaded) {
        std::unique_lock lock(mutex);
        wake.wait(lock, [this] { return quit || !queue.empty(); });
        if (quit) {
            return;
        }
        const int index = queue.front();
        queue.pop_front();
        const QSize wanted = size;
        lock.unlock();
        QImage picture = render(deck, index, wanted);
        QMetaObject::invokeMethod(
            owner,
            [owner, index, wanted, picture = std::move(picture)] {
                owner->accept(index, wanted, picture);
            },
            Qt::QueuedConnection);
    }
}

CardPictures::CardPictures(std::vector<fs::path> deckFiles, QObject* parent)
    : QObject(parent), worker_(std::make_unique<Worker>()) {
    worker_->files = std::move(deckFiles);
    renderAhead_.setSingleShot(true);
    renderAhead_.setInterval(kSettle);
    connect(&renderAhead_, &QTimer::timeout, this, &CardPictures::renderAhead);
}

CardPictures::~CardPictures() {
    {
        const std::lock_guard lock(worker_->mutex);
        worker_->quit = true;
    }
    worker_->wake.notify_one();
    if (worker_->thread.joinable()) {
        worker_->thread.join();
    }
}

std::vector<fs::path> CardPictures::debianDeck() {
    const fs::path folder = "/usr/share/aisleriot/cards";
    return {folder / fs::path(u8"Атласные.svgz"), folder / "atlasnye.svgz"};
}

void CardPictures::load() {
    if (state_ != State::NotLoaded) {
        return;
    }
    if (worker_->files.empty()) {
        state_ = State::Failed;
        emit changed();
        return;
    }
    state_ = State::Loading;
    worker_->thread = std::thread([this] { worker_->run(this); });
}

void CardPictures::request(QSize devicePixels, const std::vector<game::Card>& first) {
    if (devicePixels.isEmpty() || state_ == State::Failed) {
        return;
    }
    const std::lock_guard lock(worker_->mutex);
    std::deque<int>& queue = worker_->queue;
    if (devicePixels != size_) {
        if (devicePixels == previousSize_) {
            std::swap(pictures_, previousPictures_);
            std::swap(size_, previousSize_);
        } else {
            previousPictures_ = std::exchange(pictures_, {});
            previousSize_ = std::exchange(size_, devicePixels);
        }
        requested_.reset();
        for (std::size_t index = 0; index < pictures_.size(); ++index) {
            requested_[index] = !pictures_[index].isNull();
        }
        queue.clear();
        worker_->size = size_;
        renderAhead_.start();
    }
    // The first size is the one the window opens at, not a step of a drag.
    const bool openingSize = previousSize_.isEmpty();
    const auto queued = [&queue](int index) {
        return std::find(queue.begin(), queue.end(), index) != queue.end();
    };
    std::deque<int> next;
    for (const game::Card card : first) {
        const int index = indexOf(card);
        // A card asked for and no longer queued is being rendered, or has just been.
        const bool rendering = requested_[static_cast<std::size_t>(index)] && !queued(index);
        if (!rendering && pictures_.at(static_cast<std::size_t>(index)).isNull() &&
            std::find(next.begin(), next.end(), index) == next.end()) {
            next.push_back(index);
        }
    }
    for (const int index : queue) {
        if (std::find(next.begin(), next.end(), index) == next.end()) {
            next.push_back(index);
        }
    }
    for (const int index : next) {
        requested_.set(static_cast<std::size_t>(index));
    }
    queue = std::move(next);
    if (openingSize) {
        queueTheRest();
    }
    worker_->wake.notify_one();
}

void CardPictures::renderAhead() {
    {
        const std::lock_guard lock(worker_->mutex);
        queueTheRest();
    }
    worker_->wake.notify_one();
}

void CardPictures::queueTheRest() {
    if (static_cast<qsizetype>(size_.width()) * size_.height() * 4 * game::kDeckSize >
        kAheadBytes) {
        return;
    }
    for (int index = 0; index < game::kDeckSize; ++index) {
        if (!requested_[static_cast<std::size_t>(index)]) {
            requested_.set(static_cast<std::size_t>(index));
            worker_->queue.push_back(index);
        }
    }
}

QImage CardPictures::picture(game::Card card) const {
    return pictures_.at(static_cast<std::size_t>(indexOf(card)));
}

QImage CardPictures::previousPicture(game::Card card) const {
    return previousPictures_.at(static_cast<std::size_t>(indexOf(card)));
}

void CardPictures::accept(int card, QSize size, const QImage& picture) {
    const auto index = static_cast<std::size_t>(card);
    if (size == size_) {
        pictures_.at(index) = picture;
        emit changed();
    } else if (size == previousSize_) {
        previousPictures_.at(index) = picture;
    }
}

void CardPictures::finishLoading(bool loaded, qreal aspect) {
    state_ = loaded ? State::Ready : State::Failed;
    aspect_ = aspect;
    emit changed();
}

} // namespace ui
