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

#include <chrono>
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

// Wakes the waiter after a long while, so that a wait that was never going to end fails the
// test instead of hanging it.
class Rescue {
public:
    explicit Rescue(EventLoopWaiter& waiter) {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [this, &waiter] {
            fired_ = true;
            waiter.wake();
        });
        timer_.start(5000);
    }
    [[nodiscard]] bool fired() const { return fired_; }

private:
    QTimer timer_;
    bool fired_ = false;
};

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
        const Rescue rescue(waiter);
        const int before = window.paints;
        int atWake = -1;
        QTimer::singleShot(0, &window, [&window] { window.update(); });
        QTimer::singleShot(200, &window, [&] {
            atWake = window.paints;
            waiter.wake();
        });
        waiter.wait();
        QVERIFY(!rescue.fired());
        QVERIFY2(atWake > before, "no paint while waiting");
    }

    void clicksAndKeysDuringTheWaitAreThrownAwayNotPostponed() {
        QWidget window;
        auto* button = new QPushButton(QStringLiteral("Еще"), &window);
        button->setGeometry(10, 10, 80, 30);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        button->setFocus();
        QSignalSpy clicked(button, &QPushButton::clicked);

        EventLoopWaiter waiter;
        const Rescue rescue(waiter);
        QTimer::singleShot(0, button, [&] {
            postClick(button);
            postSpace(button);
            QTest::mouseClick(button, Qt::LeftButton);
            QTest::keyClick(button, Qt::Key_Space);
            QTest::keyClick(button, Qt::Key_Return);
            QTimer::singleShot(100, button, [&waiter] { waiter.wake(); });
        });
        waiter.wait();
        QVERIFY(!rescue.fired());
        QCoreApplication::processEvents();
        QTest::qWait(50);
        QCOMPARE(clicked.count(), 0);

        // The same input outside a wait does reach the button.
        postClick(button);
        postSpace(button);
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::qWait(50);
        QCOMPARE(clicked.count(), 3);
    }

    void menuShortcutsDuringTheWaitAreThrownAway() {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QSignalSpy newMatch(form.newMatchAction(), &QAction::triggered);
        QSignalSpy rules(form.rulesAction(), &QAction::triggered);
        EventLoopWaiter waiter;
        const Rescue rescue(waiter);
        QTimer::singleShot(0, &form, [&] {
            QTest::keyClick(&form, Qt::Key_F2);
            QTest::keyClick(&form, Qt::Key_F1);
            waiter.wake();
        });
        waiter.wait();
        QTest::qWait(20);
        QCOMPARE(newMatch.count(), 0);
        QCOMPARE(rules.count(), 0);
        QTest::keyClick(&form, Qt::Key_F2);
        QCOMPARE(newMatch.count(), 1);
    }

    void aWakeFromAnotherThreadEndsTheWait() {
        EventLoopWaiter waiter;
        const Rescue rescue(waiter);
        std::thread cue([&waiter] {
            std::this_thread::sleep_for(30ms);
            waiter.wake();
        });
        waiter.wait();
        cue.join();
        QVERIFY(!rescue.fired());
    }

    void aWakeBeforeTheWaitEndsItWithoutRunningTheLoop() {
        EventLoopWaiter waiter;
        bool loopRan = false;
        QTimer::singleShot(0, qApp, [&loopRan] { loopRan = true; });
        std::thread cue([&waiter] { waiter.wake(); });
        cue.join();
        waiter.wait();
        QVERIFY(!loopRan);
        QTest::qWait(10); // let the posted timer run before loopRan goes out of scope
    }

    void aStaleWakeDoesNotCutTheNextWaitShort() {
        EventLoopWaiter waiter;
        waiter.wake();
        waiter.wait(); // consumed here; the call wake() posted is still queued
        const Rescue rescue(waiter);
        bool cueEnded = false;
        QTimer::singleShot(100, qApp, [&] {
            cueEnded = true;
            waiter.wake();
        });
        waiter.wait();
        QVERIFY(!rescue.fired());
        QVERIFY(cueEnded);
    }
};

} // namespace

std::unique_ptr<QObject> makeWaiterTest() {
    return std::make_unique<WaiterTest>();
}

} // namespace ui::test

#include "waiter_test.moc"
