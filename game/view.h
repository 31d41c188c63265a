// SPDX-License-Identifier: MIT
#pragma once

#include "game/rules_file.h"

#include <string>
#include <string_view>

namespace game {

// The controls of the window that the rules change. Their names are the window's object names.
enum class Control {
    Label1,
    Label2,
    Label3,
    Label4,
    Label5,
    Label6,
    Label7,
    Label8,
    Text1,
    Command1,
    Command2,
    Command3,
    Command4,
    Command5,
    Command6,
    Command7,
    Command8,
    Command9,
};

[[nodiscard]] std::string_view controlName(Control control);

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
    virtual void setVisible(Control control, bool visible) = 0;

    [[nodiscard]] virtual std::string handText() const = 0;
    virtual void setHandText(std::string_view text) = 0;
    virtual void focusHand() = 0;

    // Modal. An empty title means the application's own title.
    virtual int messageBox(std::string_view prompt, Buttons buttons, std::string_view title) = 0;
    // Modal, no title of its own; Cancel gives the empty text.
    virtual std::string inputBox(std::string_view prompt) = 0;

    // The rules file as it is now, read whole for one run of the rules command.
    [[nodiscard]] virtual RulesFile readRulesFile() = 0;

    // Called once, just before the rules throw Termination: the program is ending.
    // No rule runs after it, and Game::run() lets no command in any more.
    virtual void terminate() = 0;
};

// Thrown by the rules to end the program; it never returns into them.
struct Termination {};

} // namespace game
