// SPDX-License-Identifier: MIT
#pragma once

#include "ui/dialogs.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>

class QWidget;

namespace ui::test {

// Answers the game's boxes from a script and keeps a log of what was asked, in order:
//   box OK "<title>" "<prompt>"   box YesNo "<title>" "<prompt>"   input "<title>" "<prompt>"
class ScriptedDialogs final : public Dialogs {
public:
    void answerBox(int result) { boxAnswers_.push_back(result); }
    void answerInput(std::optional<QString> typed) { inputAnswers_.push_back(std::move(typed)); }

    int messageBox(QWidget* parent, const QString& title, const QString& prompt,
                   game::Buttons buttons) override;
    std::optional<QString> inputBox(QWidget* parent, const QString& title,
                                    const QString& prompt) override;

    [[nodiscard]] const QStringList& log() const { return log_; }
    [[nodiscard]] QWidget* lastParent() const { return lastParent_; }

private:
    std::deque<int> boxAnswers_;
    std::deque<std::optional<QString>> inputAnswers_;
    QStringList log_;
    QWidget* lastParent_ = nullptr;
};

} // namespace ui::test
