// SPDX-License-Identifier: MIT
#pragma once

#include "log.h"
#include "recording_world.h"
#include "ui/dialogs.h"

#include <QString>
#include <QTest>

#include <functional>
#include <optional>

class QWidget;

namespace ui::test {

// The recording world, failing a Qt Test when a script runs out: no exception may cross the
// window's event handling.
class QtWorld final : public kit::RecordingWorld {
protected:
    void ranOut(const std::string& what) override;
};

// The game's boxes answered from the world's scripts and logged in its log, titles included:
//   box OK "<prompt>" title "<title>" | input "<prompt>" title "<title>" -> "<typed>"
class ScriptedDialogs final : public Dialogs {
public:
    explicit ScriptedDialogs(kit::RecordingWorld& world) : world_(world) {}

    int messageBox(QWidget* parent, const QString& title, const QString& prompt,
                   game::Buttons buttons) override;
    std::optional<QString> inputBox(QWidget* parent, const QString& title,
                                    const QString& prompt) override;

    [[nodiscard]] QWidget* lastParent() const { return lastParent_; }
    // Runs after each box is logged, while it would be open.
    std::function<void()> onBox;

private:
    kit::RecordingWorld& world_;
    QWidget* lastParent_ = nullptr;
};

// A box with the game's own title, as the log spells it.
[[nodiscard]] std::string okBox(std::string_view prompt);

} // namespace ui::test

// The log in a failed comparison, one entry a line.
template <> inline char* QTest::toString(const kit::Log& log) {
    QByteArray text;
    for (const std::string& entry : log) {
        text += "\n    " + QByteArray::fromStdString(entry);
    }
    return qstrdup(text.constData());
}
