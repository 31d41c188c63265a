// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

#include <memory>

// The Qt Test classes of the ui library, one per file; main() runs them by name.
namespace ui::test {

std::unique_ptr<QObject> makeForm1Test();
std::unique_ptr<QObject> makeQtViewTest();
std::unique_ptr<QObject> makeQtDialogsTest();
std::unique_ptr<QObject> makeWaiterTest();
std::unique_ptr<QObject> makeCommandsTest();
std::unique_ptr<QObject> makeRulesFileReaderTest();
std::unique_ptr<QObject> makeDealsTest();
std::unique_ptr<QObject> makeKeyboardFocusTest();

} // namespace ui::test
