// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <vector>

// What the benchmarks that time a real window share: waiting for the display, a window made as
// large as the screen, and a line of figures.
namespace bench {

// Lets the display answer until done() holds, for five seconds at most.
template <typename Done> bool waitUntil(Done done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return done();
}

inline double millisecondsSince(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

inline void printMilliseconds(const char* what, std::vector<double> milliseconds) {
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf("%s: median %.2f ms, fastest %.2f ms, slowest %.2f ms (%zu runs)\n", what,
                milliseconds[milliseconds.size() / 2], milliseconds.front(), milliseconds.back(),
                milliseconds.size());
}

// Maximizes the window from its smallest size and waits until it is exposed; true when the
// window manager maximized it. Without one (Xvfb), the window is given the whole screen instead,
// as a maximize would.
inline bool maximizeOrFill(QWidget& window) {
    const QRect screen = window.screen()->availableGeometry();
    window.resize(window.minimumSize());
    waitUntil([&] { return window.size() == window.minimumSize(); });
    window.showMaximized();
    const bool maximized = waitUntil([&] {
        return window.isMaximized() && window.width() * 10 >= screen.width() * 9 &&
               window.height() * 10 >= screen.height() * 9;
    });
    if (!maximized) {
        window.setGeometry(screen);
        waitUntil([&] { return window.geometry() == screen; });
    }
    waitUntil([&] { return window.windowHandle()->isExposed(); });
    return maximized;
}

} // namespace bench
