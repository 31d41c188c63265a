// SPDX-License-Identifier: MIT
#pragma once

#include "game/view.h"

#include <QString>

#include <optional>

class QWidget;

namespace ui {

// Result code of a box closed without any of its buttons; neither OK nor Yes.
inline constexpr int kResultClosed = 2;

// The modal boxes of the game, behind an interface so that tests can answer them from a script.
// Every text is shown as plain text. parent may be null (before the window is first shown).
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Returns game::kResultOk, kResultYes, kResultNo or kResultClosed.
    virtual int messageBox(QWidget* parent, const QString& title, const QString& prompt,
                           game::Buttons buttons) = 0;
    // The text exactly as typed, or nullopt on Cancel or when the box was closed.
    virtual std::optional<QString> inputBox(QWidget* parent, const QString& title,
                                            const QString& prompt) = 0;
};

// The real boxes: QMessageBox and QInputDialog, or a scrolling text dialog for a message
// too tall for the screen.
class QtDialogs final : public Dialogs {
public:
    int messageBox(QWidget* parent, const QString& title, const QString& prompt,
                   game::Buttons buttons) override;
    std::optional<QString> inputBox(QWidget* parent, const QString& title,
                                    const QString& prompt) override;
};

} // namespace ui
