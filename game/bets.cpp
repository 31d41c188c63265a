// SPDX-License-Identifier: MIT
#include "game/bets.h"
#include "game/game.h"
#include "game/guarded.h"
#include "game/money.h"
#include "game/shuffle.h"

namespace game {
namespace {

constexpr std::string_view kPlayerShort = "Ты что, с дуба рухнул? У тебя ведь нет столько денег.";
constexpr std::string_view kComputerShort =
    "Я не могу поставить столько на кон. У меня нет столько денег";

// A side is refused when it holds some money but less than the bet. Nothing is refused at 0:
// the bet then drives the side below zero and the end-of-match check takes over.
bool cannotCover(std::int32_t before, int bet) {
    return before > 0 && before < bet && before % smallestBet() == 0;
}

// The computer bets at random only while both sides hold at least the largest bet.
constexpr std::int32_t kRandomBetThreshold = largestBet();
constexpr std::int32_t kFallbackStake = 2 * smallestBet();
constexpr int kFallbackBet = smallestBet();

} // namespace

void Game::command5Click() {
    view_.showPhase(Phase::ChoosingBet);
}

// "25" keeps no copies and never refuses.
void Game::command6Click() {
    placeBet(kBets[0].amount, nullptr, nullptr);
}

void Game::command7Click() {
    placeBet(kBets[1].amount, &table_.playerMoneyBefore50, &table_.computerMoneyBefore50);
}

void Game::command8Click() {
    placeBet(kBets[2].amount, &table_.playerMoneyBefore100, &table_.computerMoneyBefore100);
}

void Game::command9Click() {
    placeBet(kBets[3].amount, &table_.playerMoneyBefore200, &table_.computerMoneyBefore200);
}

void Game::placeBet(int bet, std::int32_t* playerCopy, std::int32_t* computerCopy) {
    if (playerCopy != nullptr) {
        guardedSet(*playerCopy, table_.playerMoney, "playerMoneyBefore");
        guardedSet(*computerCopy, table_.computerMoney, "computerMoneyBefore");
    }
    guardedAdd(table_.playerMoney, -bet, "playerMoney");
    guardedAdd(table_.computerMoney, -bet, "computerMoney");
    guardedSet(table_.stake, 2 * bet, "stake");
    if (playerCopy != nullptr) {
        // The player's refusal comes first: when neither side can cover, only it is heard.
        if (cannotCover(*playerCopy, bet)) {
            announce(Cue::Sv, kPlayerShort);
            refuseBet(playerCopy, computerCopy);
            return;
        }
        if (cannotCover(*computerCopy, bet)) {
            announce(Cue::Sv, kComputerShort);
            refuseBet(playerCopy, computerCopy);
            return;
        }
    }
    if (endOfMatchCheck(OutTest::BelowZero, true) == CheckResult::Stop) {
        return;
    }
    cues_.play(Cue::Win, CueMode::Sync);
    showMoney(Control::Label4, table_.playerMoney);
    showMoney(Control::Label6, table_.computerMoney);
    showMoney(Control::Label8, table_.stake);
    view_.showPhase(Phase::PlayerFirstDeal);
    inicial();
}

// The bet buttons are already offered; offering them again keeps the player choosing. No
// caption was touched by the refused click, so none needs putting back.
void Game::refuseBet(const std::int32_t* playerCopy, const std::int32_t* computerCopy) {
    if (table_.answer != kResultOk) {
        return;
    }
    view_.showPhase(Phase::ChoosingBet);
    guardedSet(table_.playerMoney, *playerCopy, "playerMoney");
    guardedSet(table_.computerMoney, *computerCopy, "computerMoney");
}

// Nothing lies on the table when this runs (the settlement has just paid the stake out), so
// a refill here has nothing to give back.
void Game::inicial3() {
    if (endOfMatchCheck(OutTest::ZeroOrBelow, false) == CheckResult::Stop) {
        return;
    }
    random_.reseed();
    if (table_.playerMoney >= kRandomBetThreshold && table_.computerMoney >= kRandomBetThreshold) {
        guardedSet(table_.betIndex, drawBetIndex(random_), "betIndex");
        const int bet = table_.betValues.at(static_cast<std::size_t>(table_.betIndex - 1));
        guardedSet(table_.stake, 2 * bet, "stake");
        guardedAdd(table_.playerMoney, -halfOf(table_.stake), "playerMoney");
        guardedAdd(table_.computerMoney, -halfOf(table_.stake), "computerMoney");
    } else {
        guardedSet(table_.stake, kFallbackStake, "stake");
        guardedAdd(table_.playerMoney, -kFallbackBet, "playerMoney");
        guardedAdd(table_.computerMoney, -halfOf(table_.stake), "computerMoney");
    }
    showMoney(Control::Label4, table_.playerMoney);
    showMoney(Control::Label6, table_.computerMoney);
    showMoney(Control::Label8, table_.stake);
    inicial1();
}

} // namespace game
