// SPDX-License-Identifier: MIT
#include "suites.h"

#include "ui/application_setup.h"
#include "wired_game.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace ui::test {
namespace {

using game::Control;
using game::Phase;
using kit::asyncCue;
using kit::cue;
using kit::Log;

WindowState shows(const char* label4, const char* label6, const char* label8, const char* hand,
                  Phase phase) {
    return {QString::fromUtf8(label4), QString::fromUtf8(label6), QString::fromUtf8(label8),
            QString::fromUtf8(hand), phase};
}

const char* const kStake100 = "На кону 100Мне хватит. Бери себе";

// As a screen reader, switch access or voice control presses a control.
void pressAccessibly(QAccessibleInterface* accessible) {
    QVERIFY(accessible != nullptr && accessible->actionInterface() != nullptr);
    accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

QAccessibleInterface* menuItem(Form1& form, const char* menuName, const char* itemName) {
    auto* menu = form.findChild<QMenu*>(QString::fromUtf8(menuName));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(menu);
    for (int i = 0; accessible != nullptr && i < accessible->childCount(); ++i) {
        if (accessible->child(i)->text(QAccessible::Name) == QString::fromUtf8(itemName)) {
            return accessible->child(i);
        }
    }
    return nullptr;
}

// Whole deals played through the window's own buttons, with the deck stacked and the boxes
// answered from a script: what reaches the player, box by box and caption by caption. A random
// draw that no script holds fails the test.
class DealsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void aWonPlayerFirstDealThenALostComputerFirstDeal() {
        WiredGame wired;
        kit::RecordingWorld& world = wired.world();
        wired.start(" Вася ");
        QCOMPARE(world.takeLog(),
                 (Log{cue("door.wav"),
                      kit::input("Вы хотите сыграть? Тогда представьтесь", " Вася ", "Зувик"),
                      okBox("Проходите пожалуйста господин Вася Желаем вам хорошо провести время."),
                      cue("kn.wav")}));
        (void)wired.takeWindowsAtBoxes();
        QCOMPARE(qobject_cast<QLabel*>(wired.form().control(Control::Label3))->text(),
                 QString::fromUtf8(" Вася "));
        QCOMPARE(wired.window(), shows(" 1000", " 1000", "", "", Phase::BettingClosed));

        QVERIFY(wired.click(Control::Command5)); // "Делайте ставки"
        QCOMPARE(world.takeLog(), Log());
        QCOMPARE(wired.window(), shows(" 1000", " 1000", "", "", Phase::ChoosingBet));

        // Player 10 + 6, then a jack: 18. The computer 9 + 3 draws a king: 16.
        world.stackShuffle({" десять червы", " шесть пики", " валет бубны", " девять бубны",
                            " дама червы", " король треф"});
        QVERIFY(wired.click(Control::Command8)); // "100"
        QCOMPARE(world.takeLog(),
                 (Log{cue("win.wav"), asyncCue("deal.wav"), asyncCue("deal.wav")}));
        QCOMPARE(wired.window(),
                 shows(" 900", " 900", " 200", " десять червы шесть пики", Phase::PlayerFirstDeal));
        QVERIFY(world.fractions.empty());

        QVERIFY(wired.click(Control::Command1)); // "Еще"
        QCOMPARE(world.takeLog(), Log{cue("deal.wav")});
        QCOMPARE(wired.window(),
                 shows(" 900", " 900", " 200", " десять червы шесть пики валет бубны",
                       Phase::PlayerFirstDeal));

        // The computer's bet and the computer-first deal that follow the win: a bet of 50, no
        // chance event, the computer 3 + 10 draws a king (17), the player gets 8 + 2.
        world.scriptBetIndex(2);
        world.scriptEventRoll(0);
        world.scriptEventRoll(1);
        world.stackShuffle({" дама бубны", " десять бубны", " король червы", " восемь треф",
                            " валет пики", " шесть треф"});
        // Behind the outcome box a screen reader presses «Бери себе» again and «Новая»: no box
        // or input filter stops that, the gate does, so the log below holds one settlement.
        wired.whileNextBoxIsOpen([&wired] {
            pressAccessibly(
                QAccessible::queryAccessibleInterface(wired.form().button(Control::Command2)));
            pressAccessibly(menuItem(wired.form(), "игра", "Новая"));
            QTest::qWait(300); // a pressed button clicks a moment later, from a timer
        });
        QVERIFY(wired.click(Control::Command2)); // "Бери себе"
        QCOMPARE(world.takeLog(),
                 (Log{cue("deal.wav"), cue("ooh.wav"),
                      okBox("У вас 18у компа 16Тебе повезло. Но ты не сильно радуйся, карта не "
                            "лошадь, в одну сторону не везет."),
                      cue("win.wav"), cue("deal.wav"), cue("deal.wav"), cue("deal.wav"),
                      okBox(kStake100)}));
        // The outcome is shown before any money moves; by the stake's box the player has taken
        // the 200 on the table (1100) and both sides have paid the computer's bet of 50.
        const std::vector<WindowState> atBoxes = wired.takeWindowsAtBoxes();
        QCOMPARE(atBoxes.size(), 2U);
        QCOMPARE(atBoxes[0], shows(" 900", " 900", " 200", " десять червы шесть пики валет бубны",
                                   Phase::PlayerFirstDeal));
        QCOMPARE(atBoxes[1], shows(" 1050", " 850", " 100", " восемь треф валет пики",
                                   Phase::ComputerFirstDeal));
        QCOMPARE(wired.window(), atBoxes[1]);
        QVERIFY(world.fractions.empty());

        QVERIFY(wired.click(Control::Command3)); // "Еще": a six, 16
        QCOMPARE(world.takeLog(), Log{cue("deal.wav")});
        QCOMPARE(wired.window(),
                 shows(" 1050", " 850", " 100", " восемь треф валет пики шесть треф",
                       Phase::ComputerFirstDeal));

        QVERIFY(wired.click(Control::Command4)); // "Мне хватит": 16 against 17
        QCOMPARE(
            world.takeLog(),
            (Log{cue("ye.wav"),
                 okBox("У вас 16у компа 17Ага! Проиграл! Здесь вам нетут, там вам покажут.")}));
        QCOMPARE(wired.takeWindowsAtBoxes(),
                 std::vector<WindowState>{shows(" 1050", " 850", " 100",
                                                " восемь треф валет пики шесть треф",
                                                Phase::ComputerFirstDeal)});
        QCOMPARE(wired.window(), shows(" 1050", " 950", "", "", Phase::BettingClosed));
    }
};

[[maybe_unused]] const bool kRegistered = registerSuite<DealsTest>("Deals");

} // namespace

} // namespace ui::test

#include "deals_test.moc"
