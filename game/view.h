// SPDX-License-Identifier: MIT
#pragma once

#include "game/controls.h"

#include <string>
#include <string_view>

namespace game {

enum class Buttons { Ok, YesNo };

// Result codes of a message box: 1 is OK, 6 is Yes; anything else (No, a closed box) is neither.
inline constexpr int kResultOk = 1;
inline constexpr int kResultYes = 6;
inline constexpr int kResultNo = 7;

// Everything the rules ask of the window. Every call acts at once, on the caller's thread.
class View {
public:
    virtual ~View() = default;

    virtual void setCaption(Control label, std::string_view text) = 0;
    // Shows the phase's controls and hides the others. The keyboard focus stays where it is
    // while that control is still shown; otherwise the phase's first control in tab order
    // takes it, so that it is never left behind on a hidden button.
    virtual void showPhase(Phase phase) = 0;

    [[nodiscard]] virtual std::string handText() const = 0;
    virtual void setHandText(std::string_view text) = 0;
    virtual void focusHand() = 0;

    // Modal. An empty title means the application's own title.
    virtual int messageBox(std::string_view prompt, Buttons buttons, std::string_view title) = 0;
    // Modal, no title of its own; Cancel gives the empty text.
    virtual std::string inputBox(std::string_view prompt) = 0;

    // Called once, just before the rules throw Termination: the program is ending.
    // No rule runs after it, and Game::run() lets no command in any more.
    virtual void terminate() = 0;
};

// Thrown by the rules to end the program; it never returns into them.
struct Termination {};

} // namespace game
