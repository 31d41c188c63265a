// SPDX-License-Identifier: MIT
#pragma once

namespace game {
class Game;
}

namespace ui {

class Form1;

// Connects every button and menu item of the window to the game's one way in, Game::run(), and
// with them every shortcut key and accessibility action that presses them. When the rules end
// the program (game::Termination) the main loop is told to finish with status 0; the window
// has already been taken off the screen. Both must outlive the window's event loop.
void connectCommands(Form1& form, game::Game& game);

} // namespace ui
