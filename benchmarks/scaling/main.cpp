// SPDX-License-Identifier: MIT
// The game's window as the player makes it larger, on a real display:
//   xvfb-run -s '-screen 0 1920x1080x24' <build>/bin/zuvik_scaling [REPAINTS]
// Prints, for the table at factors 1 to 3, the font that «Счет» (Label2, the narrowest box) is
// drawn in and how tall its letters stand on the screen; then how long a step of dragging the
// window's border takes at the size of the screen, from asking for a size one pixel different to
// the frame drawn at the new factor; and how long a redraw of the whole window takes when it is
// maximized: QWidget::repaint(), which paints every control and hands the frame to the display,
// REPAINTS times (200 unless told). A bare X server has no window manager to maximize the window;
// it is then given the whole screen, as a maximize would.
#include "benchmarks/window_steps.h"
#include "game/view.h"
#include "ui/fit_label.h"
#include "ui/form1.h"
#include "ui/hand_box.h"
#include "ui/scaled_table.h"
#include "ui/twips.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

using game::Control;

// Runs step runs times and prints how long one took.
template <typename Step> void timeRuns(const char* what, int runs, Step step) {
    std::vector<double> milliseconds;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        step(run);
        milliseconds.push_back(bench::millisecondsSince(timer));
    }
    bench::printMilliseconds(what, std::move(milliseconds));
}

// The window as it is during a deal: the cards dealt, «Еще» and «Бери себе» offered.
void showADeal(ui::Form1& form) {
    const auto set = [&form](Control control, const char* text) {
        qobject_cast<QLabel*>(form.control(control))->setText(QString::fromUtf8(text));
    };
    set(Control::Label3, "Вася");
    set(Control::Label4, " 975");
    set(Control::Label6, " 975");
    set(Control::Label8, " 50");
    form.hand()->setPlainText(QString::fromUtf8(" восемь треф туз червы"));
    for (const game::ControlRow& row : game::kControls) {
        form.control(row.control)->setVisible(row.shownIn.contains(game::Phase::PlayerFirstDeal));
    }
}

// Rows of the label's caption that hold some of its light ink on the felt, in device-independent
// pixels: the height its caption stands on the screen, which a font's nominal size does not tell.
// Read from the table beneath, which also draws what reaches out of the label's box.
int drawnHeight(QWidget& table, const ui::FitLabel& label) {
    const QRect caption = label.captionRect().translated(label.pos()).intersected(table.rect());
    const QImage image = table.grab(caption).toImage();
    int top = image.height();
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) > 160) {
                top = std::min(top, y);
                bottom = y;
                break;
            }
        }
    }
    return static_cast<int>(std::lround((bottom + 1 - top) / image.devicePixelRatio()));
}

void printNarrowestCaption(ui::Form1& form) {
    auto* table = static_cast<ui::ScaledTable*>(form.centralWidget());
    auto* label = qobject_cast<ui::FitLabel*>(form.control(Control::Label2));
    const int menuBar = form.height() - table->height();
    std::printf("«Счет» (Label2) as the table grows\n"
                "factor   box      font px  stretch %%  drawn px  whole caption\n");
    for (int step = 0; step <= 40; ++step) {
        const qreal wanted = 1 + step * 0.05;
        const QSize client(static_cast<int>(std::lround(ui::kClientWidth * wanted)),
                           static_cast<int>(std::lround(ui::kClientHeight * wanted)));
        form.resize(client.width(), client.height() + menuBar);
        if (!bench::waitUntil([&] { return table->size() == client; })) {
            std::fprintf(stderr, "the window did not take the size %dx%d\n", client.width(),
                         client.height());
            std::exit(EXIT_FAILURE);
        }
        const QFont font = label->shownFont();
        std::printf("%6.2f   %3dx%-3d  %7d  %9d  %8d  %s\n", table->factor(), label->width(),
                    label->height(), QFontInfo(font).pixelSize(), font.stretch(),
                    drawnHeight(*table, *label),
                    label->shownText() == label->text() ? "yes" : "no");
    }
}

void printDescription(const ui::Form1& form, const char* state) {
    const auto* table = static_cast<const ui::ScaledTable*>(form.centralWidget());
    std::printf("\nThe window %s: %dx%d, the table at %.2f, device pixel ratio %.1f, Qt platform "
                "%s\n",
                state, form.width(), form.height(), table->factor(), form.devicePixelRatioF(),
                qPrintable(QGuiApplication::platformName()));
}

// Dragged at the size of the screen, one pixel in height up and down: every step a new factor.
void printDrag(ui::Form1& form, int steps) {
    const auto* table = static_cast<const ui::ScaledTable*>(form.centralWidget());
    const QSize full = form.screen()->availableGeometry().size();
    form.resize(full);
    bench::waitUntil([&] { return form.size() == full; });
    printDescription(form, "dragged");
    timeRuns("a step of a drag", steps, [&](int step) {
        const QSize next = full - QSize(0, step % 2 == 0 ? 1 : 0);
        const qreal before = table->factor();
        form.resize(next);
        if (!bench::waitUntil([&] { return form.size() == next && table->factor() != before; })) {
            std::fprintf(stderr, "the window did not take the size %dx%d\n", next.width(),
                         next.height());
            std::exit(EXIT_FAILURE);
        }
        form.repaint();
    });
}

void printRedraw(ui::Form1& form, int repaints) {
    const bool maximized = bench::maximizeOrFill(form);
    printDescription(form, maximized ? "maximized" : "given the whole screen (no window manager)");
    timeRuns("redraw", repaints, [&](int) { form.repaint(); });
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const int repaints = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    ui::Form1 form;
    showADeal(form);
    form.show();
    bench::waitUntil([&] { return form.windowHandle()->isExposed(); });
    printNarrowestCaption(form);
    printDrag(form, std::max(1, repaints / 4));
    printRedraw(form, repaints);
    return EXIT_SUCCESS;
}
