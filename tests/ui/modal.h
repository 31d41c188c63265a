// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <functional>

class QAbstractButton;
class QWidget;

namespace ui::test {

// Waits (on the event loop that the modal box runs) for the next modal dialog and hands it to
// act, which must close it. Gives up after a few seconds so that a box that never comes cannot
// hang the suite; the test then fails on its own checks.
void whenModalAppears(std::function<void(QWidget*)> act);

// Types text into the widget key by key, as a keyboard would (QTest's own helpers take ASCII only).
void typeText(QWidget* widget, const QString& text);

// The dialog's push button whose text, without its '&' marks, is text; null if none.
[[nodiscard]] QAbstractButton* buttonWithText(QWidget* dialog, const QString& text);

} // namespace ui::test
