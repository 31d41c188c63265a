// SPDX-License-Identifier: MIT
#include "suites.h"

#include "ui/application_setup.h"
#include "wired_game.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

namespace ui::test {
namespace {

class CommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(*qApp); }

    // Last: it ends the application's event loop, as the game does when it terminates.
    void theShortcutsRunTheirCommandsAndExitEndsTheProgram() {
        WiredGame wired;
        wired.start("Вася");
        QVERIFY(QTest::qWaitForWindowActive(&wired.form()));
        (void)wired.world().takeLog();
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

        // The new match's cue, the rules in a box of the game's title, the two farewells.
        const kit::Log log = wired.world().takeLog();
        QCOMPARE(log.size(), 4U);
        QCOMPARE(log[0], kit::cue("kn.wav"));
        QVERIFY2(log[1].starts_with("box OK \"") && log[1].ends_with("\" title \"Зувик\""),
                 log[1].c_str());
        QCOMPARE(kit::Log(log.begin() + 2, log.end()),
                 (kit::Log{kit::cue("fe.wav"), kit::cue("bye.wav")}));
        QVERIFY(!ranAfterExit);
        QVERIFY(!wired.form().isVisible());
    }
};

[[maybe_unused]] const bool kRegistered = registerSuite<CommandsTest>("Commands");

} // namespace

} // namespace ui::test

#include "commands_test.moc"
