// SPDX-License-Identifier: MIT
// The table as the player sees it, read back from a grab of the window: the felt, the captions'
// contrast against it, and «Счет» in the same face in both labels that begin with it.
#include "suites.h"

#include "game/table_look.h"
#include "ui/fit_label.h"
#include "ui/form1.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace ui::test {
namespace {

using game::Control;

game::Rgb rgbOf(QRgb pixel) {
    return {static_cast<std::uint8_t>(qRed(pixel)), static_cast<std::uint8_t>(qGreen(pixel)),
            static_cast<std::uint8_t>(qBlue(pixel))};
}

bool near(game::Rgb a, game::Rgb b, int slack) {
    return std::abs(a.r - b.r) <= slack && std::abs(a.g - b.g) <= slack &&
           std::abs(a.b - b.b) <= slack;
}

// A grab of the window in device pixels, read in the window's own coordinates.
class Grab {
public:
    explicit Grab(QWidget& window) : image_(window.grab().toImage()) {
        ratio_ = image_.devicePixelRatio();
    }
    // Device pixels of a widget's rectangle, in its own coordinates.
    [[nodiscard]] QRect pixelsOf(const QWidget& widget, QRect rect) const {
        const QPoint at = widget.mapTo(widget.window(), rect.topLeft());
        return QRect(static_cast<int>(std::lround(at.x() * ratio_)),
                     static_cast<int>(std::lround(at.y() * ratio_)),
                     static_cast<int>(std::lround(rect.width() * ratio_)),
                     static_cast<int>(std::lround(rect.height() * ratio_)))
            .intersected(image_.rect());
    }
    [[nodiscard]] game::Rgb at(int x, int y) const { return rgbOf(image_.pixel(x, y)); }
    // The caption's ink is its lightest pixel, the felt under it the darkest.
    [[nodiscard]] double contrastIn(QRect pixels) const {
        double lightest = 0;
        double darkest = 1;
        for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
            for (int x = pixels.left(); x <= pixels.right(); ++x) {
                const double l = game::luminance(at(x, y));
                lightest = std::max(lightest, l);
                darkest = std::min(darkest, l);
            }
        }
        return (lightest + 0.05) / (darkest + 0.05);
    }
    // The columns of the rectangle holding ink, nearer the caption's ink than the felt.
    [[nodiscard]] std::vector<int> inkColumns(QRect pixels) const {
        std::vector<int> columns;
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
                if (qGray(image_.pixel(x, y)) > 160) {
                    columns.push_back(x);
                    break;
                }
            }
        }
        return columns;
    }
    [[nodiscard]] qreal ratio() const { return ratio_; }

private:
    QImage image_;
    qreal ratio_ = 1;
};

// From the first ink to the last before a gap of at least `gap` columns: the first word.
int firstWordWidth(const std::vector<int>& columns, int gap) {
    if (columns.empty()) {
        return 0;
    }
    std::size_t last = 0;
    while (last + 1 < columns.size() && columns[last + 1] - columns[last] <= gap) {
        ++last;
    }
    return columns[last] - columns.front() + 1;
}

FitLabel& label(Form1& form, Control control) {
    return *qobject_cast<FitLabel*>(form.control(control));
}

class TableLookTest : public QObject {
    Q_OBJECT

private slots:
    void captionsStandOutOnTheFeltInOneFace_data() {
        QTest::addColumn<double>("factor");
        QTest::newRow("as it opens") << 1.0;
        QTest::newRow("2.5 times") << 2.5;
    }

    void captionsStandOutOnTheFeltInOneFace() {
        QFETCH(double, factor);
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QSize client(static_cast<int>(std::lround(312 * factor)),
                           static_cast<int>(std::lround(210 * factor)));
        form.resize(client.width(), form.menuBar()->height() + client.height());
        QTRY_COMPARE(form.centralWidget()->size(), client);
        label(form, Control::Label3).setText(QString::fromUtf8("Вася"));
        label(form, Control::Label4).setText(QStringLiteral(" 975"));
        label(form, Control::Label6).setText(QStringLiteral(" 1025"));
        label(form, Control::Label8).setText(QStringLiteral(" 50"));
        QCoreApplication::processEvents();
        const Grab grab(form);

        // The felt, lighter at the top, the whole client area wide.
        const QWidget& table = *form.centralWidget();
        const QRect area = grab.pixelsOf(table, table.rect());
        QVERIFY(near(grab.at(area.left() + 1, area.top() + 1), game::kFelt, 4));
        QVERIFY(near(grab.at(area.right() - 1, area.bottom() - 1), game::kFeltBottom, 4));
        // The buttons keep the desktop's face.
        const QPushButton& bet = *form.button(Control::Command5);
        const QRect face = grab.pixelsOf(bet, bet.rect());
        QVERIFY(!near(grab.at(face.center().x(), face.top() + face.height() / 4), game::kFelt, 40));

        for (const Control caption :
             {Control::Label1, Control::Label2, Control::Label3, Control::Label4, Control::Label5,
              Control::Label6, Control::Label7, Control::Label8}) {
            FitLabel& shown = label(form, caption);
            // Drawn as the table's face is, neither narrowed nor shrunk.
            QCOMPARE(QFontMetricsF(shown.shownFont()).horizontalAdvance(shown.text()),
                     QFontMetricsF(shown.font()).horizontalAdvance(shown.text()));
            QCOMPARE(QFontInfo(shown.shownFont()).pixelSize(), QFontInfo(shown.font()).pixelSize());
            const double contrast = grab.contrastIn(grab.pixelsOf(shown, shown.captionRect()));
            qInfo("%s «%s»: contrast %.2f:1 on the felt", qPrintable(shown.objectName()),
                  qPrintable(shown.text()), contrast);
            QVERIFY2(contrast >= 4.5, qPrintable(shown.objectName()));
        }

        // «Счет» reaches left of its narrow box, never right of it, and is as wide as the «Счет»
        // of «Счет компа».
        FitLabel& score = label(form, Control::Label2);
        FitLabel& computers = label(form, Control::Label5);
        const std::vector<int> alone = grab.inkColumns(grab.pixelsOf(score, score.captionRect()));
        const std::vector<int> first =
            grab.inkColumns(grab.pixelsOf(computers, computers.captionRect()));
        QVERIFY(!alone.empty());
        QVERIFY(alone.back() < grab.pixelsOf(score, score.rect()).right() + 1);
        const int space = QFontMetrics(computers.shownFont()).horizontalAdvance(QLatin1Char(' '));
        // Between two letters of a word a column or two stay bare, between words a space's width.
        const int gap = std::max(3, static_cast<int>(space * grab.ratio()));
        const int scoreWidth = alone.back() - alone.front() + 1;
        const int firstWordWidthOfLabel5 = firstWordWidth(first, gap);
        qInfo("«Счет» %d px wide in Label2, %d px in Label5 (device pixels)", scoreWidth,
              firstWordWidthOfLabel5);
        QVERIFY(std::abs(scoreWidth - firstWordWidthOfLabel5) <= 1);
    }
};

[[maybe_unused]] const bool kRegistered = registerSuite<TableLookTest>("TableLook");

} // namespace
} // namespace ui::test

#include "table_look_test.moc"
