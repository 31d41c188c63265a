// SPDX-License-Identifier: MIT
#include "game/game.h"
#include "game/guarded.h"
#include "game/money.h"

namespace game {
namespace {

constexpr std::string_view kPlayerBroke =
    "Вы проиграли! У вас нет больше денег. А в долг я не играю.";
constexpr std::string_view kNewMatch = "Хотите новую игру?";
constexpr std::string_view kComputerBroke = "Поздравляю! Вы выграли. У меня нет больше денег";
constexpr std::string_view kGoOn = "Я снял со счета в банке еще денег. Хотите продолжить игру?";

constexpr std::int32_t kBankRefill = 1000;

} // namespace

// When both sides are out only the player's side is ever reached: its answers either stop
// the caller or end the program.
Game::CheckResult Game::endOfMatchCheck(OutTest test, bool refundsPlayersHalf) {
    const auto isOut = [test](std::int32_t money) {
        return test == OutTest::BelowZero ? money < 0 : money <= 0;
    };
    if (isOut(table_.playerMoney)) {
        announce(Cue::End, kPlayerBroke);
        if (table_.answer == kResultOk) {
            table_.answer = view_.messageBox(kNewMatch, Buttons::YesNo, {});
            if (table_.answer == kResultYes) {
                inicial2();
                return CheckResult::Stop;
            }
            sayGoodbye();
        }
    }
    if (isOut(table_.computerMoney)) {
        announce(Cue::Two, kComputerBroke);
        if (table_.answer == kResultOk) {
            table_.answer = view_.messageBox(kGoOn, Buttons::YesNo, {});
            if (table_.answer == kResultYes) {
                bankRefill(refundsPlayersHalf);
                return CheckResult::Stop;
            }
            sayGoodbye();
        }
    }
    return CheckResult::GoOn;
}

// The deal whose stake lay on the table is never played. The player takes back its own half
// of that stake (the computer's half goes with the old purse), and the captions show what
// both sides now really hold, with nothing on the table.
void Game::bankRefill(bool refundsPlayersHalf) {
    guardedSet(table_.computerMoney, kBankRefill, "computerMoney");
    if (refundsPlayersHalf) {
        guardedAdd(table_.playerMoney, halfOf(table_.stake), "playerMoney");
    }
    showStandingAndCloseBetting();
}

void Game::sayGoodbye() {
    cues_.play(Cue::Bye, CueMode::Sync);
    terminate();
}

} // namespace game
