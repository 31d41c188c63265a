// SPDX-License-Identifier: MIT
#include "scripted_dialogs.h"

namespace ui::test {

void QtWorld::ranOut(const std::string& what) {
    QTest::qFail(what.c_str(), __FILE__, __LINE__);
}

int ScriptedDialogs::messageBox(QWidget* parent, const QString& title, const QString& prompt,
                                game::Buttons buttons) {
    lastParent_ = parent;
    const int answer = world_.messageBox(prompt.toStdString(), buttons, title.toStdString());
    if (onBox) {
        onBox();
    }
    return answer;
}

std::optional<QString> ScriptedDialogs::inputBox(QWidget* parent, const QString& title,
                                                 const QString& prompt) {
    lastParent_ = parent;
    const std::optional<std::string> typed =
        world_.inputBox(prompt.toStdString(), title.toStdString());
    if (onBox) {
        onBox();
    }
    return typed ? std::optional<QString>(QString::fromStdString(*typed)) : std::nullopt;
}

std::string okBox(std::string_view prompt) {
    return kit::okBox(prompt, "Зувик");
}

} // namespace ui::test
