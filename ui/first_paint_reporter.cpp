// SPDX-License-Identifier: MIT
#include "ui/first_paint_reporter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace ui {

void FirstPaintReporter::installIfRequested() {
    if (qEnvironmentVariableIsSet("ZUVIK_REPORT_FIRST_PAINT")) {
        QString window = qEnvironmentVariable("ZUVIK_REPORT_FIRST_PAINT");
        if (window == QLatin1String("1")) {
            window.clear();
        }
        auto* reporter = new FirstPaintReporter(window);
        reporter->setParent(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(reporter);
    }
}

FirstPaintReporter::FirstPaintReporter(QString window) : window_(std::move(window)) {}

bool FirstPaintReporter::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!reported_ && event->type() == QEvent::Paint && widget != nullptr &&
        (window_.isEmpty() || widget->window()->objectName() == window_)) {
        reported_ = true;
        QWidget* window = widget->window();
        const QByteArray name = window->objectName().isEmpty()
                                    ? QByteArray(window->metaObject()->className())
                                    : window->objectName().toUtf8();
        // Reported once the paint has been handed to the window system, not as it begins.
        QTimer::singleShot(0, [name] {
            const auto now = std::chrono::duration_cast<std::chrono::microseconds>(
                std::chrono::system_clock::now().time_since_epoch());
            std::printf("first-paint %s %lld\n", name.constData(),
                        static_cast<long long>(now.count()));
            std::fflush(stdout);
            std::_Exit(EXIT_SUCCESS);
        });
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ui
