// SPDX-License-Identifier: MIT
#include "suites.h"

#include "ui/event_loop_waiter.h"
#include "ui/form1.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

namespace ui::test {
namespace {

using namespace std::chrono_literals;

class PaintCounter final : public QWidget {
public:
    using QWidget::QWidget;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* /*event*/) override { ++paints; }
};

// A cue whose end the test decides. A wait that nothing ends returns at its deadline, long after
// what any test here waits for, so it fails the test instead of hanging it.
struct Cue {
    std::atomic<bool> ended{false};
    std::function<bool()> done() {
        return [this] { return ended.load(); };
    }
    void end(EventLoopWaiter& waiter) {
        ended = true;
        waiter.notify();
    }
};

game::Waiter::Clock::time_point inSeconds(int seconds) {
    return game::Waiter::Clock::now() + std::chrono::seconds(seconds);
}

void postClick(QWidget* widget) {
    const QPointF centre = QRectF(widget->rect()).center();
    const QPointF global = widget->mapToGlobal(centre);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QCoreApplication::postEvent(
            widget,
            new QMouseEvent(type, centre, global, Qt::LeftButton,
                            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                            Qt::NoModifier));
    }
}

void postSpace(QWidget* widget) {
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QCoreApplication::postEvent(
            widget, new QKeyEvent(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" ")));
    }
}

class WaiterTest : public QObject {
    Q_OBJECT

private slots:
    void theWindowRepaintsWhileACueIsAwaited() {
        PaintCounter window;
        window.resize(100, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        EventLoopWaiter waiter;
        Cue cue;
        const int before = window.paints;
        int atEnd = -1;
        QTimer::singleShot(0, &window, [&window] { window.update(); });
        QTimer::singleShot(200, &window, [&] {
            atEnd = window.paints;
            cue.end(waiter);
        });
        waiter.waitUntil(cue.done(), inSeconds(5));
        QVERIFY(cue.ended);
        QVERIFY2(atEnd > before, "no paint while waiting");
    }

    // Clicks, keys and menu shortcuts made while a cue plays are lost, not held back until the
    // cue ends, when they would run after the handler that played it.
    void inputDuringTheWaitIsThrownAwayNotPostponed() {
        Form1 form;
        QPushButton* button = form.button(game::Control::Command5);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        button->setFocus();
        QSignalSpy clicked(button, &QPushButton::clicked);
        QSignalSpy newMatch(form.menuItem(game::Command::NewMatch), &QAction::triggered);
        QSignalSpy soundSwitched(form.soundSwitch(), &QAction::toggled);

        EventLoopWaiter waiter;
        Cue cue;
        QTimer::singleShot(0, button, [&] {
            postClick(button);
            postSpace(button);
            QTest::mouseClick(button, Qt::LeftButton);
            QTest::keyClick(button, Qt::Key_Return);
            QTest::keyClick(&form, Qt::Key_F2);
            // The sound switch alone: its key silences the very cue that plays.
            QTest::keyClick(&form, Qt::Key_M, Qt::ControlModifier);
            QTimer::singleShot(100, button, [&] { cue.end(waiter); });
        });
        waiter.waitUntil(cue.done(), inSeconds(5));
        QVERIFY(cue.ended);
        QTest::qWait(50);
        QCOMPARE(clicked.count(), 0);
        QCOMPARE(newMatch.count(), 0);
        QCOMPARE(soundSwitched.count(), 1);
        QVERIFY(!form.soundSwitch()->isChecked());

        // The same input outside a wait does reach them.
        postClick(button);
        postSpace(button);
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::keyClick(&form, Qt::Key_F2);
        QTest::qWait(50);
        QCOMPARE(clicked.count(), 3);
        QCOMPARE(newMatch.count(), 1);
    }

    // Measured against the deadline it was given, not a clock of the test's own: a wait the
    // notification does not end lasts to its deadline, and one nothing ends lasts that long only.
    void aCueEndedOnAnotherThreadEndsTheWaitAndOneNeverEndedEndsAtTheDeadline() {
        EventLoopWaiter waiter;
        Cue cue;
        const auto deadline = inSeconds(5);
        std::thread player([&] {
            std::this_thread::sleep_for(30ms);
            cue.end(waiter);
        });
        waiter.waitUntil(cue.done(), deadline);
        player.join();
        QVERIFY(cue.ended);
        QVERIFY(game::Waiter::Clock::now() < deadline);

        Cue never;
        const auto soon = game::Waiter::Clock::now() + 200ms;
        waiter.waitUntil(never.done(), soon);
        QVERIFY(game::Waiter::Clock::now() >= soon);
    }

    void aCueAlreadyOverIsNotWaitedFor() {
        EventLoopWaiter waiter;
        Cue cue;
        cue.end(waiter);
        bool loopRan = false;
        QTimer::singleShot(0, qApp, [&loopRan] { loopRan = true; });
        waiter.waitUntil(cue.done(), inSeconds(5));
        QVERIFY(!loopRan);
        QTest::qWait(10); // let the posted calls run before cue and loopRan go out of scope
    }
};
[[maybe_unused]] const bool kRegistered = registerSuite<WaiterTest>("Waiter");

} // namespace

} // namespace ui::test

#include "waiter_test.moc"
