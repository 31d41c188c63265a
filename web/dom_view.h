// SPDX-License-Identifier: MIT
#pragma once

#include "game/cards.h"
#include "game/view.h"

namespace web {

// The rules' view of the page: every call goes to the page's shell (web/shell.js), which keeps
// the controls as elements named after them. Texts go there as text; the shell sets them as
// textContent or value, never as markup. The boxes are modal dialogs that the rules await.
class DomView final : public game::View {
public:
    void setCaption(game::Control label, std::string_view text) override;
    void showPhase(game::Phase phase) override;
    [[nodiscard]] std::string handText() const override;
    void setHandText(std::string_view text) override;
    void focusHand() override;
    int messageBox(std::string_view prompt, game::Buttons buttons, std::string_view title) override;
    std::string inputBox(std::string_view prompt) override;
    void terminate() override;

private:
    game::CardGrid grid_ = game::makeCardGrid(); // to name the hand's pictures by its text
};

} // namespace web
