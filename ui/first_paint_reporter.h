// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

namespace ui {

// A measuring aid for scripts/measure_startup.sh, not part of the game: when the environment
// variable ZUVIK_REPORT_FIRST_PAINT is set, the first time a window has been painted the program
// prints "first-paint <window objectName or class> <wall clock in microseconds>" on standard
// output and ends with status 0. The variable's value names the window to wait for (its
// objectName, e.g. "Form1"); "1" or an empty value takes the first window of any kind.
class FirstPaintReporter final : public QObject {
    Q_OBJECT

public:
    // Installs a reporter owned by the application if the variable is set.
    static void installIfRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FirstPaintReporter(QString window);
    QString window_; // empty: any
    bool reported_ = false;
};

} // namespace ui
