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
