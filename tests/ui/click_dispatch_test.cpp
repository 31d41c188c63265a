// SPDX-License-Identifier: MIT
#include "suites.h"

#include "ui/click_dispatch.h"
#include "ui/form1.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <stdexcept>
#include <vector>

namespace ui::test {
namespace {

using game::Control;

class ClickDispatchTest : public QObject {
    Q_OBJECT

private slots:
    void everyButtonAndMenuItemRunsExactlyItsOwnCommand() {
        Form1 form;
        std::vector<Command> ran;
        connectCommands(form, [&ran](Command command) { ran.push_back(command); });
        for (QWidget* widget : form.centralWidget()->findChildren<QWidget*>()) {
            widget->show();
        }
        const std::vector<std::pair<Control, Command>> buttons{
            {Control::Command1, Command::Command1}, {Control::Command2, Command::Command2},
            {Control::Command3, Command::Command3}, {Control::Command4, Command::Command4},
            {Control::Command5, Command::Command5}, {Control::Command6, Command::Command6},
            {Control::Command7, Command::Command7}, {Control::Command8, Command::Command8},
            {Control::Command9, Command::Command9},
        };
        for (const auto& [control, command] : buttons) {
            ran.clear();
            QTest::mouseClick(form.button(control), Qt::LeftButton);
            QCOMPARE(ran, std::vector<Command>{command});
        }
        const std::vector<std::pair<QAction*, Command>> items{
            {form.newMatchAction(), Command::NewMatch},
            {form.exitAction(), Command::Exit},
            {form.aboutAction(), Command::About},
            {form.rulesAction(), Command::Rules},
        };
        for (const auto& [action, command] : items) {
            ran.clear();
            action->trigger();
            QCOMPARE(ran, std::vector<Command>{command});
        }
    }

    void shortcutKeysRunTheirMenuCommands() {
        Form1 form;
        std::vector<Command> ran;
        connectCommands(form, [&ran](Command command) { ran.push_back(command); });
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(&form, Qt::Key_F2);
        QTest::keyClick(&form, Qt::Key_F1);
        QTest::keyClick(&form, Qt::Key_F4, Qt::ControlModifier);
        QCOMPARE(ran, (std::vector<Command>{Command::NewMatch, Command::Rules, Command::Exit}));
    }

    void aHandlerThatReturnsLeavesTheWindowAsItIs() {
        Form1 form;
        form.show();
        ClickDispatch dispatch(form);
        int runs = 0;
        dispatch.run([&runs] { ++runs; });
        dispatch.run([&runs] { ++runs; });
        QCOMPARE(runs, 2);
        QVERIFY(!dispatch.ended());
        QVERIFY(form.isVisible());
    }

    void otherExceptionsAreNotSwallowed() {
        Form1 form;
        ClickDispatch dispatch(form);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 dispatch.run([] { throw std::runtime_error("fault"); }));
        QVERIFY(!dispatch.ended());
    }

    // Last: it ends the application's event loop, as the game does when it terminates.
    void terminationHidesTheWindowStopsFurtherClicksAndEndsTheMainLoopWithZero() {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        ClickDispatch dispatch(form);
        bool ranAfterwards = false;
        QTimer::singleShot(0, &form, [&] {
            dispatch.run([] { throw game::Termination{}; });
            dispatch.run([&ranAfterwards] { ranAfterwards = true; });
        });
        // Had the loop not been told to end, this would end it with another status.
        QTimer fallback;
        fallback.setSingleShot(true);
        QObject::connect(&fallback, &QTimer::timeout, [] { QCoreApplication::exit(42); });
        fallback.start(5000);
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(dispatch.ended());
        QVERIFY(!ranAfterwards);
        QVERIFY(!form.isVisible());
        QVERIFY(!form.isEnabled());
    }
};

} // namespace

std::unique_ptr<QObject> makeClickDispatchTest() {
    return std::make_unique<ClickDispatchTest>();
}

} // namespace ui::test

#include "click_dispatch_test.moc"
