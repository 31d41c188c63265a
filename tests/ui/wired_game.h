// SPDX-License-Identifier: MIT
#pragma once

#include "game/game.h"
#include "game/table_state.h"
#include "log.h"
#include "scripted_dialogs.h"
#include "ui/form1.h"
#include "ui/qt_view.h"
#include "ui/rules_file_reader.h"

#include <QString>

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace ui::test {

// What the window shows of the game at one moment.
struct WindowState {
    QString label4;
    QString label6;
    QString label8;
    QString hand;
    // The phase whose controls the window shows, and no others; nothing when it shows no
    // phase's set.
    std::optional<game::Phase> phase;

    bool operator==(const WindowState&) const = default;
};

// For QCOMPARE's failure message.
[[nodiscard]] char* toString(const WindowState& state);

// The window wired to the rules exactly as the executable wires them (Form1, QtView, the rules
// file from the data folders and the command connections), in a recording world: its scripts answer
// the boxes and give the random fractions, and its log holds the cues and the boxes in order. The
// window is photographed at each box, as the player sees it behind the box.
class WiredGame {
public:
    // The hand is drawn from the first of deckFiles that holds a deck: none, unless told.
    explicit WiredGame(std::vector<std::filesystem::path> deckFiles = {});

    // The start-up sequence of the executable with the given name typed into the greeting: the
    // rules greet the player and open a match; then the window is shown and activated.
    void start(const std::string& name);

    // Runs while the next message box is open, as if the player did it behind the box.
    void whileNextBoxIsOpen(std::function<void()> act) { whileBoxOpen_ = std::move(act); }

    // Presses the button with the mouse, as a player would; false (with a warning saying why)
    // when the player could not have pressed it.
    [[nodiscard]] bool click(game::Control button);

    // The pictures taken at the boxes since the last call, which are then forgotten.
    [[nodiscard]] std::vector<WindowState> takeWindowsAtBoxes();
    [[nodiscard]] WindowState window() const;

    Form1& form() { return form_; }
    kit::RecordingWorld& world() { return world_; }
    game::Game& game() { return game_; }
    game::TableState& table() { return table_; }

private:
    QtWorld world_;
    std::vector<WindowState> windowsAtBoxes_;
    std::function<void()> whileBoxOpen_;
    Form1 form_;
    ScriptedDialogs dialogs_{world_};
    QtView view_{form_, dialogs_};
    DataFolderRules rules_;
    game::TableState table_;
    game::Game game_{view_, world_, world_, rules_, table_};
};

} // namespace ui::test
