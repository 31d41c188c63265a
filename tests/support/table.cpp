// SPDX-License-Identifier: MIT
#include "table.h"

#include "deck.h"

#include <stdexcept>

namespace kit {

void Table::setMoney(int player, int computer, int stake) {
    state.playerMoney = player;
    state.computerMoney = computer;
    state.stake = stake;
}

void Table::stackDeck(int from, const std::vector<std::string>& cards) {
    kit::stackDeck(state, from, cards);
}

game::Command betButton(int bet) {
    switch (bet) {
    case 25:
        return game::Command::Command6;
    case 50:
        return game::Command::Command7;
    case 100:
        return game::Command::Command8;
    case 200:
        return game::Command::Command9;
    default:
        throw std::invalid_argument("no button bets " + std::to_string(bet));
    }
}

} // namespace kit
