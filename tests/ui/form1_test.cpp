// SPDX-License-Identifier: MIT
#include "suites.h"

#include "ui/fit_button.h"
#include "ui/fit_label.h"
#include "ui/form1.h"
#include "ui/hand_box.h"
#include "ui/utf8.h"

#include <QAction>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QScrollBar>
#include <QTest>

#include <cmath>
#include <map>

namespace ui::test {
namespace {

using game::Control;

// What the window says as it opens, control by control; the others have no caption.
const std::map<QString, QString> kCaptions{
    {"Label1", "Ваши карты"}, {"Label2", "Счет"},         {"Label5", "Счет компа"},
    {"Label7", "На кону"},    {"Command1", "Еще"},        {"Command2", "Бери себе"},
    {"Command3", "Еще"},      {"Command4", "Мне хватит"}, {"Command5", "Делайте ставки"},
    {"Command6", "25"},       {"Command7", "50"},         {"Command8", "100"},
    {"Command9", "200"},
};

// On one line, whole, and no smaller than a reader can take in.
bool captionFits(const QFont& font, const QString& caption, QSize box) {
    const QFontMetricsF metrics(font);
    return metrics.horizontalAdvance(caption) <= box.width() && metrics.height() <= box.height() &&
           QFontInfo(font).pixelSize() >= 9;
}

const QString kThirteenCards = QString::fromUtf8(
    " валет червы валет бубны валет треф валет пики дама червы дама бубны дама треф дама пики"
    " король червы король бубны король треф король пики шесть червы");

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    // The player may make the window any size from the one it opens at upwards: the table
    // keeps its layout, scaled by the largest factor at which it fits, and centred.
    void theTableScalesAsAWholeWithTheWindow_data() {
        QTest::addColumn<QSize>("asked"); // for the client area; empty: as the window opens
        QTest::addColumn<QSize>("client");
        QTest::addColumn<double>("factor");
        QTest::addColumn<QPoint>("margins"); // left and top
        QTest::newRow("as it opens") << QSize() << QSize(312, 210) << 1.0 << QPoint(0, 0);
        QTest::newRow("2.5 times, and wider")
            << QSize(800, 525) << QSize(800, 525) << 2.5 << QPoint(10, 0);
        QTest::newRow("dragged smaller")
            << QSize(200, 100) << QSize(312, 210) << 1.0 << QPoint(0, 0);
    }

    void theTableScalesAsAWholeWithTheWindow() {
        QFETCH(QSize, asked);
        QFETCH(QSize, client);
        QFETCH(double, factor);
        QFETCH(QPoint, margins);
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        if (asked.isValid()) {
            form.resize(asked.width(), form.menuBar()->height() + asked.height());
        }
        QTRY_COMPARE(form.centralWidget()->size(), client);
        QCOMPARE(form.height(), form.menuBar()->height() + client.height());

        const int windowFont = QFontInfo(form.font()).pixelSize();
        for (const game::ControlRow& row : game::kControls) {
            const QString name = fromUtf8(row.name);
            QWidget* widget = form.centralWidget()->findChild<QWidget*>(name);
            QVERIFY2(widget != nullptr, qPrintable(name));
            const QRect shown = widget->geometry();
            const auto near = [&](int pixels, int origin, int twips) {
                return std::abs(pixels - origin - twips * factor / 15) <= 0.5;
            };
            QVERIFY2(near(shown.x(), margins.x(), row.twips.left) &&
                         near(shown.y(), margins.y(), row.twips.top) &&
                         near(shown.width(), 0, row.twips.width) &&
                         near(shown.height(), 0, row.twips.height),
                     qPrintable(QStringLiteral("%1 at %2,%3 %4x%5")
                                    .arg(name)
                                    .arg(shown.x())
                                    .arg(shown.y())
                                    .arg(shown.width())
                                    .arg(shown.height())));
            QVERIFY2(std::abs(QFontInfo(widget->font()).pixelSize() - windowFont * factor) <= 1,
                     qPrintable(name));
            QCOMPARE(widget->isVisible(), row.shownIn.contains(game::kPhaseAtCreation));
            const QString caption = kCaptions.contains(name) ? kCaptions.at(name) : QString();
            if (auto* label = qobject_cast<FitLabel*>(widget)) {
                QCOMPARE(label->text(), caption);
                QCOMPARE(label->textFormat(), Qt::PlainText);
                QCOMPARE(label->focusPolicy(), Qt::NoFocus);
                QVERIFY2(captionFits(label->shownFont(), caption, label->captionRect().size()),
                         qPrintable(name));
                QCOMPARE(label->shownText(), caption);
            } else if (auto* button = qobject_cast<FitButton*>(widget)) {
                QCOMPARE(button->text(), caption);
                // Clear of the bevel, which every style draws within a couple of pixels.
                QVERIFY2(captionFits(button->shownFont(), caption, button->size() - QSize(4, 4)),
                         qPrintable(name));
            } else {
                QCOMPARE(qobject_cast<HandBox*>(widget)->toPlainText(), caption);
            }
        }
    }

    void menusCarryTheirNamesCaptionsAndKeys() {
        Form1 form;
        QCOMPARE(form.objectName(), QStringLiteral("Form1"));
        QCOMPARE(form.windowTitle(), QString::fromUtf8("Игра \"Зувик\""));
        const QList<QAction*> menus = form.menuBar()->actions();
        QCOMPARE(menus.size(), 2);
        QCOMPARE(menus[0]->menu()->objectName(), QString::fromUtf8("игра"));
        QCOMPARE(menus[0]->text(), QString::fromUtf8("Игра"));
        QCOMPARE(menus[1]->menu()->objectName(), QString::fromUtf8("помощь"));
        QCOMPARE(menus[1]->text(), QString::fromUtf8("Помощь"));

        struct Item {
            const char* name;
            const char* caption;
            QKeySequence keys;
            QAction* action;
            game::Command command;
        };
        const QList<QAction*> gameItems = menus[0]->menu()->actions();
        const QList<QAction*> helpItems = menus[1]->menu()->actions();
        QCOMPARE(gameItems.size(), 3);
        QCOMPARE(helpItems.size(), 2);
        const Item items[] = {
            {"новая", "Новая", QKeySequence(Qt::Key_F2), gameItems[0], game::Command::NewMatch},
            {"выход", "Выход", QKeySequence(Qt::CTRL | Qt::Key_F4), gameItems[2],
             game::Command::Exit},
            {"опрог", "О программе", QKeySequence(), helpItems[0], game::Command::About},
            {"правила", "Правила игры", QKeySequence(Qt::Key_F1), helpItems[1],
             game::Command::Rules},
        };
        for (const Item& item : items) {
            QCOMPARE(item.action->objectName(), QString::fromUtf8(item.name));
            QCOMPARE(item.action->text(), QString::fromUtf8(item.caption));
            QCOMPARE(item.action->shortcut(), item.keys);
            QCOMPARE(form.menuItem(item.command), item.action);
            QVERIFY(!item.action->isCheckable());
        }
        QAction* sound = gameItems[1];
        QCOMPARE(sound, form.soundSwitch());
        QCOMPARE(sound->objectName(), QString::fromUtf8("звук"));
        QCOMPARE(sound->text(), QString::fromUtf8("Звук"));
        QCOMPARE(sound->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));
        QVERIFY(sound->isCheckable());
        QVERIFY(sound->isChecked());
    }

    void handCannotBeTypedIntoButTakesTheFocus() {
        Form1 form;
        HandBox* hand = form.hand();
        hand->show();
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        hand->setPlainText(QString::fromUtf8(" туз пики"));
        hand->setFocus();
        QVERIFY(hand->hasFocus());
        QTest::keyClicks(hand, QStringLiteral("abc"));
        QTest::keyClick(hand, Qt::Key_Backspace);
        QTest::keyClick(hand, Qt::Key_Delete);
        QCOMPARE(hand->toPlainText(), QString::fromUtf8(" туз пики"));
        QTest::keyClick(hand, Qt::Key_Tab);
        QVERIFY(!hand->hasFocus());
    }

    // Up to nine cards are shown whole; thirteen scroll, with the newest card kept in view.
    void aHandScrollsOnlyPastNineCards() {
        Form1 form;
        HandBox* hand = form.hand();
        hand->show();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QStringList cards = kThirteenCards.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QScrollBar* scroll = hand->verticalScrollBar();
        QString text;
        for (qsizetype count = 0; count < 9; ++count) {
            text += QLatin1Char(' ') + cards[2 * count] + QLatin1Char(' ') + cards[2 * count + 1];
            hand->setPlainText(text);
            QCoreApplication::processEvents();
            QVERIFY2(scroll->maximum() == 0, qPrintable(text));
        }
        QVERIFY(QFontInfo(hand->document()->defaultFont()).pixelSize() >= 9);
        hand->setPlainText(kThirteenCards);
        QCoreApplication::processEvents();
        QVERIFY(scroll->isVisible());
        QVERIFY(scroll->maximum() > 0);
        QCOMPARE(scroll->value(), scroll->maximum());
        QCOMPARE(hand->toPlainText(), kThirteenCards);
    }

    void labelsShowTheirWholeCaptionWhereItCanFit() {
        const std::pair<const char*, const char*> captions[] = {{"Label4", " 1000"},
                                                                {"Label6", "-100000"},
                                                                {"Label8", " 0"},
                                                                {"Label3", "Вася Пупкин"},
                                                                {"Label3", "<b>x</b>"}};
        Form1 form;
        for (const auto& [name, text] : captions) {
            auto* label = form.findChild<FitLabel*>(QString::fromLatin1(name));
            const QString caption = QString::fromUtf8(text);
            label->setText(caption);
            QCOMPARE(label->shownText(), caption);
            QVERIFY2(captionFits(label->shownFont(), caption, label->captionRect().size()), text);
        }
    }

    void aCaptionTooLongForAnyFontIsCutWithAnEllipsis() {
        Form1 form;
        auto* money = qobject_cast<FitLabel*>(form.control(Control::Label4));
        money->setText(QStringLiteral("-2147483648"));
        const QString shown = money->shownText();
        QVERIFY(shown.endsWith(QChar(0x2026)));
        QVERIFY(shown.startsWith(QStringLiteral("-21")));
        QCOMPARE(money->text(), QStringLiteral("-2147483648"));
    }

    void closingTheWindowEndsTheProgramAtOnceEvenDuringACue() {
        // The close box ends the process itself, so it is watched from outside.
        QProcess probe;
        probe.setProcessChannelMode(QProcess::MergedChannels);
        probe.start(QStringLiteral(UI_CLOSE_PROBE), {});
        QVERIFY(probe.waitForFinished(10000));
        const QByteArray output = probe.readAll();
        QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
        QVERIFY2(output.contains("waiting"), output.constData());
        QVERIFY2(!output.contains("returned"), output.constData());
        QCOMPARE(probe.exitCode(), 0);
    }
};

[[maybe_unused]] const bool kRegistered = registerSuite<Form1Test>("Form1");

} // namespace

} // namespace ui::test

#include "form1_test.moc"
