// SPDX-License-Identifier: MIT
// The hand drawn as cards, on a real display, with the deck Debian installs:
//   xvfb-run -s '-screen 0 1920x1080x24' <build>/bin/zuvik_cards [RUNS] [SHOTS_FOLDER]
// Prints how long after the window is shown the first deal's two cards stand on it, the deck
// still loading; how long a card takes from its name reaching the hand box to its picture on the
// screen, after the first deal; a step of dragging the window's border with a hand of nine, with
// the time the cards then take to be sharp again at the new size; and a redraw of the window
// maximized with the same hand. RUNS (100 unless told) is how often each is repeated. Given
// SHOTS_FOLDER, leaves there the window at the size it opens at (with two cards and with thirteen),
// at two and a half times and maximized.
#include "benchmarks/window_steps.h"
#include "game/cards.h"
#include "game/view.h"
#include "ui/form1.h"
#include "ui/hand_box.h"
#include "ui/hand_cards.h"
#include "ui/scaled_table.h"
#include "ui/twips.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using game::Control;

// Every card drawn sharp at the size the window has now.
bool allSharp(const ui::HandCards& cards, std::size_t count) {
    return cards.isVisible() && cards.cardRects().size() == count &&
           cards.sharpCards() == static_cast<int>(count);
}

class Table {
public:
    explicit Table(ui::Form1& form)
        : form_(form), cards_(*form.findChild<ui::HandCards*>()), names_(game::makeDeckOrder()) {}

    // The labels and buttons of a player-first deal, the hand still hidden.
    void openADeal() {
        const auto set = [this](Control control, const char* text) {
            qobject_cast<QLabel*>(form_.control(control))->setText(QString::fromUtf8(text));
        };
        set(Control::Label3, "Вася");
        set(Control::Label4, " 975");
        set(Control::Label6, " 975");
        set(Control::Label8, " 50");
        for (const game::ControlRow& row : game::kControls) {
            if (row.control != Control::Text1) {
                form_.control(row.control)
                    ->setVisible(row.shownIn.contains(game::Phase::PlayerFirstDeal));
            }
        }
    }

    // As the opening deals them: the hand box shown, then the two names.
    void dealTwo() {
        form_.hand()->show();
        const std::string first = names_[nextName()];
        form_.hand()->setPlainText(QString::fromStdString(first + names_[nextName()]));
    }

    void drawOne() {
        form_.hand()->setPlainText(form_.hand()->toPlainText() +
                                   QString::fromStdString(names_[nextName()]));
    }

    [[nodiscard]] std::size_t handSize() const { return cards_.cardRects().size(); }
    [[nodiscard]] const ui::HandCards& cards() const { return cards_; }

    // Waits until the hand's count cards are drawn sharp, and says how long that took.
    [[nodiscard]] double untilSharp(const QElapsedTimer& since, std::size_t count) const {
        if (!bench::waitUntil([&] { return allSharp(cards_, count); })) {
            std::fprintf(stderr, "the cards were not drawn: is gnome-cards-data installed?\n");
            std::exit(EXIT_FAILURE);
        }
        return bench::millisecondsSince(since);
    }

private:
    // A different card each time, in a spread order, as a shuffled deck gives them.
    std::size_t nextName() { return (7 * next_++) % names_.size(); }

    ui::Form1& form_;
    ui::HandCards& cards_;
    game::CardNames names_;
    std::size_t next_ = 0;
};

void resizeTable(ui::Form1& form, QSize client) {
    const auto* table = static_cast<const ui::ScaledTable*>(form.centralWidget());
    form.resize(client + QSize(0, form.height() - table->height()));
    bench::waitUntil([&] { return table->size() == client; });
}

void save(ui::Form1& form, const std::string& folder, const char* name) {
    QCoreApplication::processEvents();
    const std::string path = folder + "/" + name;
    if (!form.grab().save(QString::fromStdString(path))) {
        std::fprintf(stderr, "could not write %s\n", path.c_str());
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    const std::string shots = argc > 2 ? argv[2] : "";
    ui::Form1 form;
    Table table(form);
    table.openADeal();

    // The deck starts loading as the window is first shown; the player's first deal is dealt
    // at once, before it is in.
    QElapsedTimer shown;
    shown.start();
    form.show();
    table.dealTwo();
    double deckIn = 0;
    bench::waitUntil([&] {
        if (deckIn == 0 && table.cards().deckState() != ui::CardPictures::State::Loading) {
            deckIn = bench::millisecondsSince(shown);
        }
        return deckIn != 0;
    });
    const double firstDeal = table.untilSharp(shown, 2);
    std::printf("Qt platform %s, device pixel ratio %.1f, window %dx%d\n",
                qPrintable(QGuiApplication::platformName()), form.devicePixelRatioF(), form.width(),
                form.height());
    std::printf("the deck read %.2f ms after the window was shown; the first deal's two cards, "
                "dealt at the show, on the screen %.2f ms after it\n",
                deckIn, firstDeal);
    if (!shots.empty()) {
        save(form, shots, "cards-1x.png");
        // The longest hand the rules allow: past 40 the draw is taken away, and twelve cards
        // can make 36.
        while (table.handSize() < 13) {
            table.drawOne();
        }
        (void)table.untilSharp(shown, 13);
        save(form, shots, "cards-1x-13.png");
    }

    // From a name added to the hand box to its card on the screen, hands of three to nine.
    std::vector<double> toScreen;
    while (static_cast<int>(toScreen.size()) < runs) {
        table.dealTwo();
        (void)table.untilSharp(shown, 2);
        for (std::size_t count = 3; count <= 9; ++count) {
            QElapsedTimer drawn;
            drawn.start();
            table.drawOne();
            toScreen.push_back(table.untilSharp(drawn, count));
        }
    }
    bench::printMilliseconds("a drawn card's name to its picture on the screen", toScreen);

    if (!shots.empty()) {
        resizeTable(form, QSize(ui::kClientWidth * 5 / 2, ui::kClientHeight * 5 / 2));
        table.dealTwo();
        table.drawOne();
        (void)table.untilSharp(shown, 3);
        save(form, shots, "cards-2.5x.png");
    }

    // From the size of the screen, a pixel less in height every step: a new factor, and a size
    // the cards were never rendered at. Not maximized: a maximized window keeps its size on
    // Wayland.
    const auto* scaled = static_cast<const ui::ScaledTable*>(form.centralWidget());
    const QSize full = form.screen()->availableGeometry().size();
    form.resize(full);
    bench::waitUntil([&] { return form.size() == full; });
    table.dealTwo();
    while (table.handSize() < 9) {
        table.drawOne();
    }
    (void)table.untilSharp(shown, 9);
    std::printf("\nthe window dragged from %dx%d\n", form.width(), form.height());
    std::vector<double> steps;
    std::vector<double> sharpAgain;
    for (int step = 0; step < runs; ++step) {
        const QSize next = full - QSize(0, step + 1);
        const qreal before = scaled->factor();
        QElapsedTimer timer;
        timer.start();
        form.resize(next);
        bench::waitUntil([&] { return form.size() == next && scaled->factor() != before; });
        form.repaint();
        steps.push_back(bench::millisecondsSince(timer));
        sharpAgain.push_back(table.untilSharp(timer, 9));
    }
    bench::printMilliseconds("a step of dragging the border, nine cards", steps);
    bench::printMilliseconds("the same step until the nine cards are sharp at the new size",
                             sharpAgain);

    // Maximized, with the same nine cards.
    (void)bench::maximizeOrFill(form);
    (void)table.untilSharp(shown, 9);
    std::printf("\nthe window maximized: %dx%d\n", form.width(), form.height());
    if (!shots.empty()) {
        save(form, shots, "cards-maximized.png");
    }
    std::vector<double> redraws;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        form.repaint();
        redraws.push_back(bench::millisecondsSince(timer));
    }
    bench::printMilliseconds("a redraw of the maximized window with nine cards", redraws);
    return EXIT_SUCCESS;
}
