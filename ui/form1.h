// SPDX-License-Identifier: MIT
#pragma once

#include "game/command.h"
#include "game/controls.h"
#include "ui/card_pictures.h"

#include <QMainWindow>

#include <array>
#include <filesystem>
#include <vector>

class QAction;
class QPushButton;

namespace ui {

class HandBox;
class ScaledTable;

// The game's one window: captions, the hand, the buttons and the menu, nothing more. It holds no
// rules and no state of the game; ui::connectCommands() hands its clicks to the game. Its
// controls are named for screen readers from the start.
class Form1 final : public QMainWindow {
    Q_OBJECT

public:
    // The hand is drawn as cards from the first of deckFiles that holds a whole deck.
    explicit Form1(std::vector<std::filesystem::path> deckFiles = CardPictures::debianDeck(),
                   QWidget* parent = nullptr);

    // The widget named after the control: a FitLabel for Label1..8, the HandBox for Text1,
    // a FitButton for Command1..9.
    [[nodiscard]] QWidget* control(game::Control control) const;
    [[nodiscard]] QPushButton* button(game::Control control) const;
    [[nodiscard]] HandBox* hand() const { return text1_; }

    // The item of the menu bar that gives a menu command (новая, выход, опрог, правила).
    [[nodiscard]] QAction* menuItem(game::Command command) const;
    // «Звук»: checked while the cues are heard. It runs no command of the game.
    [[nodiscard]] QAction* soundSwitch() const { return soundSwitch_; }

protected:
    // The close box ends the program at once, even in the middle of a handler that is waiting
    // for a cue or a box: nothing of the game runs after it.
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls(ScaledTable* clientArea);
    void setTabOrderOfControls();
    void createMenus();

    std::array<QWidget*, game::kControlCount> controls_{}; // indexed by game::Control
    HandBox* text1_ = nullptr;
    std::array<QAction*, 4> menuItems_{}; // NewMatch, Exit, About, Rules
    QAction* soundSwitch_ = nullptr;
};

} // namespace ui
