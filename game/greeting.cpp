// SPDX-License-Identifier: MIT
#include "game/game.h"

#include <string>

namespace game {
namespace {

// The name runs straight into the texts around it: the blanks the player sees are only those
// the name itself brings.
std::string welcomeText(const std::string& name) {
    return "Проходите пожалуйста господин" + name + "Желаем вам хорошо провести время.";
}

} // namespace

void Game::greet() {
    initTables(table_);
    cues_.play(Cue::Door, CueMode::Sync);
    // The name is kept exactly as typed; only the empty text (Cancel) counts as no name,
    // so a name of blanks is welcomed like any other.
    table_.playerName = view_.inputBox("Вы хотите сыграть? Тогда представьтесь");
    if (table_.playerName == table_.noName) {
        table_.playerName = view_.inputBox("Мы же вас попросили представиться!");
        if (table_.playerName == table_.noName) {
            // Shown out with the farewell heard to its end, as on every other way out; the
            // window never appears.
            cues_.play(Cue::Bye, CueMode::Sync);
            terminate();
        }
    }
    view_.messageBox(welcomeText(table_.playerName), Buttons::Ok, {});
    view_.setCaption(Control::Label3, table_.playerName);
    inicial2();
}

} // namespace game
