// SPDX-License-Identifier: MIT
#include "scripted_dialogs.h"

#include <stdexcept>

namespace ui::test {

int ScriptedDialogs::messageBox(QWidget* parent, const QString& title, const QString& prompt,
                                game::Buttons buttons) {
    lastParent_ = parent;
    log_.append(
        QStringLiteral("box %1 \"%2\" \"%3\"")
            .arg(buttons == game::Buttons::Ok ? QStringLiteral("OK") : QStringLiteral("YesNo"),
                 title, prompt));
    if (boxAnswers_.empty()) {
        throw std::logic_error("a message box the script did not expect");
    }
    const int answer = boxAnswers_.front();
    boxAnswers_.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::inputBox(QWidget* parent, const QString& title,
                                                 const QString& prompt) {
    lastParent_ = parent;
    log_.append(QStringLiteral("input \"%1\" \"%2\"").arg(title, prompt));
    if (inputAnswers_.empty()) {
        throw std::logic_error("an input box the script did not expect");
    }
    std::optional<QString> answer = inputAnswers_.front();
    inputAnswers_.pop_front();
    return answer;
}

} // namespace ui::test
