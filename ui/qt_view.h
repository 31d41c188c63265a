// SPDX-License-Identifier: MIT
#pragma once

#include "game/view.h"
#include "ui/spoken_money.h"

class QWidget;
class QString;

namespace ui {

class Dialogs;
class Form1;

// What the rules ask of the window, done on Form1 and through the dialogs. Texts cross the seam
// as UTF-8. Both referents must outlive the view.
class QtView final : public game::View {
public:
    QtView(Form1& form, Dialogs& dialogs);

    void setCaption(game::Control control, std::string_view text) override;
    void showPhase(game::Phase phase) override;

    [[nodiscard]] std::string handText() const override;
    void setHandText(std::string_view text) override;
    void focusHand() override;

    int messageBox(std::string_view prompt, game::Buttons buttons, std::string_view title) override;
    std::string inputBox(std::string_view prompt) override;

    // Takes the window off the screen at once; the program then ends (see connectCommands()).
    void terminate() override;

private:
    [[nodiscard]] QWidget* dialogParent() const;
    [[nodiscard]] QString moneySentence() const;

    Form1& form_;
    Dialogs& dialogs_;
    SpokenMoney spokenMoney_; // a child of the form, where the commands find it
    // The hand was to take the focus while it held no card: it takes it with its first cards.
    bool handOwedFocus_ = false;
};

} // namespace ui
