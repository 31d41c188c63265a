// SPDX-License-Identifier: MIT
#include "suites.h"

#include "ui/application_setup.h"
#include "ui/hand_cards.h"
#include "wired_game.h"

#include <QAccessible>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <string>
#include <vector>

namespace ui::test {
namespace {

using game::Control;

constexpr std::array<const char*, 4> kSuitIds{"club", "diamond", "heart", "spade"};
constexpr std::array<const char*, 9> kRankIds{"6",    "7",     "8",    "9", "10",
                                              "jack", "queen", "king", "1"};

// A deck in the card-theme format whose every card is one flat colour, so that a picture tells
// which card it is.
QStringList cardIds() {
    QStringList ids;
    for (const char* suit : kSuitIds) {
        for (const char* rank : kRankIds) {
            ids.append(QString::fromLatin1(suit) + '_' + QString::fromLatin1(rank));
        }
    }
    return ids;
}

QRgb colourOf(qsizetype card) {
    return qRgb(static_cast<int>(card) * 7, 255 - static_cast<int>(card) * 7, 128);
}

QByteArray deck(const QString& without = {}) {
    QByteArray svg = R"(<svg xmlns="http://www.w3.org/2000/svg" width="3700" height="150">)";
    const QStringList ids = cardIds();
    for (qsizetype card = 0; card < ids.size(); ++card) {
        if (ids[card] != without) {
            svg += QStringLiteral(R"(<g id="%1"><rect x="%2" y="0" width="100" height="150" )"
                                  R"(fill="%3"/></g>)")
                       .arg(ids[card])
                       .arg(card * 100)
                       .arg(QColor(colourOf(card)).name())
                       .toUtf8();
        }
    }
    return svg + "</svg>";
}

QString writeDeck(const QTemporaryDir& folder, const char* name, const QByteArray& bytes) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qWarning("cannot write %s", qPrintable(path));
    }
    return path;
}

// The card each picture shows, read from the part of it that no later card covers.
QStringList shownCards(HandCards& cards) {
    if (!cards.isVisible()) {
        return {QStringLiteral("(hidden)")};
    }
    const QImage image = cards.grab().toImage();
    const std::vector<QRect> rects = cards.cardRects();
    const QStringList ids = cardIds();
    QStringList shown;
    for (std::size_t index = 0; index < rects.size(); ++index) {
        const int right =
            index + 1 < rects.size() ? rects[index + 1].left() : rects[index].right() + 1;
        const QPoint inside((rects[index].left() + right) / 2, rects[index].center().y());
        const QRgb colour = image.pixel(inside);
        qsizetype card = 0;
        while (card < ids.size() && colourOf(card) != colour) {
            ++card;
        }
        shown.append(card < ids.size() ? ids[card] : QStringLiteral("?"));
    }
    return shown;
}

HandCards& cardsOf(WiredGame& wired) {
    return *wired.form().findChild<HandCards*>();
}

// A player-first deal won and a computer-first deal lost, as in the Deals suite: each step's hand
// in the text, and so in the pictures.
struct Step {
    Control click;
    const char* hand; // as Text1 then holds it
    QStringList cards;
};

void stackTheDeals(kit::RecordingWorld& world) {
    world.stackShuffle({" десять червы", " шесть пики", " валет бубны", " девять бубны",
                        " дама червы", " король треф"});
    world.scriptBetIndex(2);
    world.scriptEventRoll(0);
    world.scriptEventRoll(1);
    world.stackShuffle({" дама бубны", " десять бубны", " король червы", " восемь треф",
                        " валет пики", " шесть треф"});
}

const std::array<Step, 6> kDeals{{
    {Control::Command5, "", {"(hidden)"}},
    {Control::Command8, " десять червы шесть пики", {"heart_10", "spade_6"}},
    {Control::Command1,
     " десять червы шесть пики валет бубны",
     {"heart_10", "spade_6", "diamond_jack"}},
    {Control::Command2, " восемь треф валет пики", {"club_8", "spade_jack"}},
    {Control::Command3, " восемь треф валет пики шесть треф", {"club_8", "spade_jack", "club_6"}},
    {Control::Command4, "", {"(hidden)"}},
}};

class HandCardsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        setUpApplication(*qApp);
        QVERIFY(folder_.isValid());
    }

    void theCardsAreTheHandTheTextNamesWhileItShows() {
        WiredGame wired({writeDeck(folder_, "deck.svg", deck()).toStdString()});
        stackTheDeals(wired.world());
        wired.start("Вася");
        QTRY_COMPARE(cardsOf(wired).deckState(), CardPictures::State::Ready);
        QCOMPARE(shownCards(cardsOf(wired)), QStringList{"(hidden)"});
        for (const Step& step : kDeals) {
            QVERIFY(wired.click(step.click));
            QCOMPARE(wired.window().hand, QString::fromUtf8(step.hand));
            QTRY_COMPARE(shownCards(cardsOf(wired)), step.cards);
        }
        // The text box alone speaks the hand.
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&cardsOf(wired));
        QVERIFY(accessible->text(QAccessible::Name).isEmpty());
        QVERIFY(accessible->text(QAccessible::Description).isEmpty());
    }

    void aBadDeckCostsOnlyThePictures_data() {
        QTest::addColumn<QString>("deck");
        QTest::newRow("missing") << folder_.filePath("none.svgz");
        QTest::newRow("empty") << writeDeck(folder_, "empty.svg", {});
        const QByteArray whole = deck();
        QTest::newRow("truncated") << writeDeck(folder_, "half.svg", whole.left(whole.size() / 2));
        QTest::newRow("not an SVG") << writeDeck(folder_, "text.svg", "дама бубны\n");
        QTest::newRow("no club_6") << writeDeck(folder_, "no6.svg", deck("club_6"));
    }

    // The same deals as with no deck at all: the same boxes, cues and windows.
    void aBadDeckCostsOnlyThePictures() {
        QFETCH(QString, deck);
        WiredGame bad({deck.toStdString()});
        WiredGame none;
        for (WiredGame* wired : {&bad, &none}) {
            stackTheDeals(wired->world());
            wired->start("Вася");
        }
        QTRY_COMPARE(cardsOf(bad).deckState(), CardPictures::State::Failed);
        for (const Step& step : kDeals) {
            QVERIFY(bad.click(step.click));
            QVERIFY(none.click(step.click));
            QCOMPARE(bad.world().takeLog(), none.world().takeLog());
            QCOMPARE(bad.takeWindowsAtBoxes(), none.takeWindowsAtBoxes());
            QCOMPARE(bad.window(), none.window());
            QVERIFY(!cardsOf(bad).isVisible());
        }
    }

private:
    QTemporaryDir folder_;
};

[[maybe_unused]] const bool kRegistered = registerSuite<HandCardsTest>("HandCards");

} // namespace
} // namespace ui::test

#include "hand_cards_test.moc"
