// SPDX-License-Identifier: MIT
#include "suites.h"

#include "ui/application_setup.h"
#include "wired_game.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace ui::test {
namespace {

using game::Control;

// As a screen reader, switch access or voice control presses a control: no modal box and no
// input filter stands in its way.
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

class CommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void aCommandGivenWhileAnotherRunsIsDroppedWhole() {
        WiredGame wired;
        wired.start(QStringLiteral("Вася"));
        QVERIFY(wired.click(Control::Command5)); // "Делайте ставки"
        // The player stands on 10 + 8; the computer 9 + 3 draws a king: 16.
        wired.random().stackShuffle(
            {" десять червы", " восемь пики", " девять бубны", " дама червы", " король треф"});
        QVERIFY(wired.click(Control::Command8)); // "100"
        (void)wired.takeEvents();
        (void)wired.takeWindowsAtBoxes();

        // The computer bets 50 and takes 3 + 10 + 4; the player gets 8 + 2.
        wired.random().scriptBetIndex(2);
        wired.random().scriptEventRoll(0);
        wired.random().scriptEventRoll(1);
        wired.random().stackShuffle(
            {" дама бубны", " десять бубны", " король червы", " восемь треф", " валет пики"});
        wired.answerOk(2);
        // Behind the outcome box "Бери себе" is still there, and so is the menu.
        wired.whileNextBoxIsOpen([&wired] {
            pressAccessibly(
                QAccessible::queryAccessibleInterface(wired.form().button(Control::Command2)));
            pressAccessibly(menuItem(wired.form(), "игра", "Новая"));
            QTest::qWait(300); // a pressed button clicks a moment later, from a timer
        });
        QVERIFY(wired.click(Control::Command2)); // "Бери себе"

        // One settlement, paid once, and the match goes on: nothing of the two presses happened.
        QCOMPARE(wired.takeEvents(),
                 QStringList({cue("deal.wav"), cue("ooh.wav"),
                              okBox("У вас 18у компа 16Тебе повезло. Но ты не сильно радуйся, "
                                    "карта не лошадь, в одну сторону не везет."),
                              cue("win.wav"), cue("deal.wav"), cue("deal.wav"), cue("deal.wav"),
                              okBox("На кону 100Мне хватит. Бери себе")}));
        QCOMPARE(wired.window(), (WindowState{QStringLiteral(" 1050"),
                                              QStringLiteral(" 850"),
                                              QStringLiteral(" 100"),
                                              QStringLiteral(" восемь треф валет пики"),
                                              {QStringLiteral("Text1"), QStringLiteral("Command3"),
                                               QStringLiteral("Command4")}}));
    }

    // Last: it ends the application's event loop, as the game does when it terminates.
    void theShortcutsRunTheirCommandsAndExitEndsTheProgram() {
        WiredGame wired;
        wired.start(QStringLiteral("Вася"));
        QVERIFY(QTest::qWaitForWindowActive(&wired.form()));
        (void)wired.takeEvents();
        wired.answerOk(1);
        bool ranAfterExit = true;
        QTimer::singleShot(0, &wired.form(), [&wired, &ranAfterExit] {
            QTest::keyClick(&wired.form(), Qt::Key_F2);
            QTest::keyClick(&wired.form(), Qt::Key_F1);
            QTest::keyClick(&wired.form(), Qt::Key_F4, Qt::ControlModifier);
            ranAfterExit = wired.game().run(game::Command::Command5);
        });
        // Had the loop not been told to end, this would end it with another status.
        QTimer fallback;
        fallback.setSingleShot(true);
        QObject::connect(&fallback, &QTimer::timeout, [] { QCoreApplication::exit(42); });
        fallback.start(5000);
        QCOMPARE(QCoreApplication::exec(), 0);

        const QStringList events = wired.takeEvents();
        QCOMPARE(events.size(), 4);
        QCOMPARE(events[0], cue("kn.wav"));
        QVERIFY2(events[1].startsWith(QStringLiteral("box OK \"Зувик\" \"")),
                 qPrintable(events[1]));
        QCOMPARE(events.mid(2), QStringList({cue("fe.wav"), cue("bye.wav")}));
        QVERIFY(!ranAfterExit);
        QVERIFY(!wired.form().isVisible());
    }
};

} // namespace

std::unique_ptr<QObject> makeCommandsTest() {
    return std::make_unique<CommandsTest>();
}

} // namespace ui::test

#include "commands_test.moc"
