// SPDX-License-Identifier: MIT
#include "suites.h"

#include "ui/application_setup.h"
#include "ui/hand_box.h"
#include "wired_game.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

namespace ui::test {
namespace {

using game::Control;

// A player without a mouse (or with a screen reader) must always find the keyboard focus on
// something visible: a button that ends its phase hides itself, and the focus must not stay
// behind on it.
class KeyboardFocusTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void init() {
        wired_ = std::make_unique<WiredGame>();
        wired_->start("Vasya");
        QVERIFY(QTest::qWaitForWindowActive(&wired_->form()));
        QCOMPARE(QApplication::focusWidget(), button(Control::Command5));
    }

    void cleanup() { wired_.reset(); }

    void theBetButtonsTakeTheFocusFromTheButtonThatOpenedThem() {
        press(Qt::Key_Space); // "Делайте ставки"
        QVERIFY(button(Control::Command6)->isVisible());
        QCOMPARE(QApplication::focusWidget(), button(Control::Command6));
        QVERIFY(focusOnAVisibleControl());
        // The bet buttons are reached from there in their order.
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), button(Control::Command7));
    }

    void aRefusedBetLeavesTheFocusOnTheButtonPressed() {
        wired_->table().playerMoney = 25;
        press(Qt::Key_Space); // "Делайте ставки"
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), button(Control::Command7));
        press(Qt::Key_Space); // "50", more than the player holds
        QCOMPARE(wired_->world().log.back(),
                 okBox("Ты что, с дуба рухнул? У тебя ведь нет столько денег."));
        QVERIFY(button(Control::Command7)->isVisible());
        QCOMPARE(QApplication::focusWidget(), button(Control::Command7));
    }

    void theOpeningsAndTheSettlementsKeepTheFocusWhereThePlayerCanUseIt() {
        press(Qt::Key_Space); // "Делайте ставки"

        wired_->world().stackShuffle({" десять червы", " семь пики",   // 17 for the player
                                      " десять бубны", " семь треф"}); // 17 for the computer
        press(Qt::Key_Space);                                          // "25"
        // The player-first opening puts the focus on the hand, as the rules say.
        QCOMPARE(QApplication::focusWidget(), wired_->form().hand());
        QVERIFY(focusOnAVisibleControl());
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), button(Control::Command2));

        // A tie: the computer-first deal opens at once, for the doubled stake.
        wired_->world().scriptEventRoll(0);
        wired_->world().scriptEventRoll(1);
        wired_->world().stackShuffle({" десять треф", " семь червы",     // 17 for the computer
                                      " девять пики", " девять червы"}); // 18 for the player
        press(Qt::Key_Space);                                            // "Бери себе"
        QVERIFY(button(Control::Command4)->isVisible());
        QVERIFY(focusOnAVisibleControl());
        for (int tabs = 0; tabs < 3 && QApplication::focusWidget() != button(Control::Command4);
             ++tabs) {
            press(Qt::Key_Tab);
            QVERIFY(focusOnAVisibleControl());
        }
        QCOMPARE(QApplication::focusWidget(), button(Control::Command4));

        // Won: back to the betting, where only "Делайте ставки" is left to take the focus.
        press(Qt::Key_Space); // "Мне хватит"
        QCOMPARE(wired_->window().phase, game::Phase::BettingClosed);
        QCOMPARE(QApplication::focusWidget(), button(Control::Command5));
    }

private:
    QPushButton* button(Control control) { return wired_->form().button(control); }

    // A key pressed and released on whatever holds the keyboard focus, as the keyboard does it.
    void press(Qt::Key key) {
        QWidget* focused = QApplication::focusWidget();
        QVERIFY2(focused != nullptr, "nothing has the keyboard focus");
        QTest::keyClick(focused, key);
    }

    [[nodiscard]] static bool focusOnAVisibleControl() {
        const QWidget* focused = QApplication::focusWidget();
        return focused != nullptr && focused->isVisible() && focused->isEnabled();
    }

    std::unique_ptr<WiredGame> wired_;
};

[[maybe_unused]] const bool kRegistered = registerSuite<KeyboardFocusTest>("KeyboardFocus");

} // namespace

} // namespace ui::test

#include "keyboard_focus_test.moc"
