// SPDX-License-Identifier: MIT
#include "game/game.h"
#include "game/guarded.h"
#include "game/money.h"
#include "game/settlement.h"

#include <array>
#include <string>

namespace game {
namespace {

constexpr std::array<SettlementCase, 8> kCases{{
    {Cue::Ooh, "Зувик-это круто! Эх, нет в жизни счастья и денег тоже нет.", Outcome::PlayerWins},
    {Cue::Ooh, "Вот неудача, я проиграл. Ну, это я просто расслабился", Outcome::PlayerWins},
    {Cue::Ooh, "Тьфу, я перебрал. А ведь такая хорошая карта шла.", Outcome::PlayerWins},
    {Cue::Ye,
     "Отлично! У тебя перебор! Не надо так нервничать, нервные клетки не востанавливаються.",
     Outcome::ComputerWins},
    {Cue::Ye, "У меня зувик! Тебе надо сначало в тряпочные потренироваться, а не в карты играть",
     Outcome::ComputerWins},
    {Cue::Oba, "Это называется боевая ничья. Давай пожмем руки и вперед.", Outcome::Tie},
    {Cue::Oba, "Ну что дружок, перебрали мы с тобой. Ну давай доставлять кон и продолжим игру.",
     Outcome::Tie},
    {Cue::Ye, "Ага! Проиграл! Здесь вам нетут, там вам покажут.", Outcome::ComputerWins},
}};

// The tests in the order of the table; the first that holds names the outcome.
std::size_t caseFor(int player, int computer) {
    if (player == 21 && computer != 21) {
        return 0;
    }
    if (player < 21 && player > computer) {
        return 1;
    }
    if (computer > 21 && player < 21) {
        return 2;
    }
    if (computer < 21 && player > 21) {
        return 3;
    }
    if (computer == 21 && player != 21) {
        return 4;
    }
    if (player <= 21 && computer <= 21 && player == computer) {
        return 5;
    }
    if (player > 21 && computer > 21) {
        return 6;
    }
    return 7; // computer below 21 and above the player
}

constexpr std::size_t kComputerBustCase = 2;

} // namespace

void Game::command4Click() {
    const int player = table_.playerPoints;
    const int computer = table_.computerPoints;
    const std::size_t index = caseFor(player, computer);
    const SettlementCase& settled = kCases[index];
    // Only the computer's own bust is announced with a capital "У компа".
    std::string prompt = "У вас" + moneyCaption(player);
    prompt += index == kComputerBustCase ? "У компа" : "у компа";
    prompt += moneyCaption(computer);
    prompt += settled.message;
    announce(settled.cue, prompt);
    if (table_.answer != kResultOk) {
        return;
    }
    if (settled.outcome == Outcome::Tie) {
        tieComputerFirstDeal();
        return;
    }
    payStakeTo(settled.outcome);
    closeDecidedComputerFirstDeal();
}

// Back to the betting. stake keeps its value behind the empty Label8 until the next bet.
void Game::closeDecidedComputerFirstDeal() {
    showMoney(Control::Label4, table_.playerMoney);
    showMoney(Control::Label6, table_.computerMoney);
    view_.setCaption(Control::Label8, "");
    view_.showPhase(Phase::BettingClosed);
    view_.setHandText("");
}

// Both sides pay their half again and a player-first deal is opened at once, with no bet.
void Game::tieComputerFirstDeal() {
    doubleStakeOnTie();
    view_.showPhase(Phase::PlayerFirstDeal);
    view_.setHandText("");
    if (endOfMatchCheck(OutTest::BelowZero, true) == CheckResult::Stop) {
        return;
    }
    inicial();
}

} // namespace game
