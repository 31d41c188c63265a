// SPDX-License-Identifier: MIT
#include "game/game.h"
#include "game/guarded.h"
#include "game/money.h"
#include "game/settlement.h"

#include <array>
#include <string>

namespace game {
namespace {

constexpr std::array<SettlementCase, 9> kCases{{
    {Cue::Ye, "ура, проиграл! Это тебе не в шахматы играть, тут думать надо. ну держись, я сдаю! ",
     Outcome::ComputerWins},
    {Cue::Ooh, "Тебе повезло. Но ты не сильно радуйся, карта не лошадь, в одну сторону не везет.",
     Outcome::PlayerWins},
    {Cue::Oba,
     "У тебя зувик? И у меня зувик. Всетаки правильно говорят, что дуракам и пьяницам везет",
     Outcome::Tie},
    {Cue::Oba, "У нас с тобою ничья! Так что достовляем кон и вперед", Outcome::Tie},
    {Cue::Ooh,
     "У меня перебор. Ну что ты пляшешь, как грешник на сковородке, будет и на моей улице "
     "праздник",
     Outcome::PlayerWins},
    {Cue::Oba,
     "Мы с тобою братан перебрали. Так чтотипо конкретно доставляем кон и продолжаем игру",
     Outcome::Tie},
    {Cue::Ye, "Ага, перебрал! А ведь тебя мама предупреждала, не играй в карты деточка на денежки",
     Outcome::ComputerWins},
    {Cue::Ooh, "Ого, у тебя зувик! Ну выше задницы не прыгнешь", Outcome::PlayerWins},
    {Cue::Ye, "У меня зувик! Учись малыш, как профессионалы играют", Outcome::ComputerWins},
}};

// The tests in the order of the table; the first that holds names the outcome. The cases
// exclude one another, and between them they cover every pair of totals.
std::size_t caseFor(int player, int computer) {
    if (computer < 21 && computer > player) {
        return 0;
    }
    if (player < 21 && computer < 21 && computer < player) {
        return 1;
    }
    if (player == 21 && computer == 21) {
        return 2;
    }
    if (player < 21 && computer < 21 && player == computer) {
        return 3;
    }
    if (computer > 21 && player < 21) {
        return 4;
    }
    if (computer > 21 && player > 21) {
        return 5;
    }
    if (computer < 21 && player > 21) {
        return 6;
    }
    if (player == 21 && computer != 21) {
        return 7;
    }
    return 8; // computer on 21, player not
}

// After the player the computer holds at most six cards, whatever their total.
constexpr int kComputerHandLimit = 6;

} // namespace

void Game::command2Click() {
    playerFirstComputerTurn();
    const int player = table_.playerPoints;
    const int computer = table_.computerPoints;
    const std::size_t index = caseFor(player, computer);
    const SettlementCase& settled = kCases[index];
    // Only the first comment is announced with a lower-case "у вас".
    std::string prompt = index == 0 ? "у вас" : "У вас";
    prompt += moneyCaption(player) + "у компа" + moneyCaption(computer);
    prompt += settled.message;
    announce(settled.cue, prompt);
    if (table_.answer != kResultOk) {
        return;
    }
    if (settled.outcome == Outcome::Tie) {
        tiePlayerFirstDeal();
        return;
    }
    payStakeTo(settled.outcome);
    closeDecidedPlayerFirstDeal();
}

// The computer looks at its own total only, never at the player's, and its cards are
// neither shown nor marked.
void Game::playerFirstComputerTurn() {
    const int first = table_.dealtCount + 1;
    if (const auto total = pairValueAt(first)) {
        guardedSet(table_.computerPoints, *total, "computerPoints");
    }
    for (int card = 3; card <= kComputerHandLimit; ++card) {
        const int position = table_.dealtCount + card;
        if (table_.computerPoints < kComputerStands && position <= kDeckSize) {
            cues_.play(Cue::Deal, CueMode::Sync);
            if (const auto value = valueAt(position)) {
                guardedAdd(table_.computerPoints, *value, "computerPoints");
            }
        }
    }
    guardedSet(table_.dealtCount, 0, "dealtCount");
}

// The stake stays in the state and in Label8 until the computer's bet replaces it.
void Game::closeDecidedPlayerFirstDeal() {
    showMoney(Control::Label4, table_.playerMoney);
    showMoney(Control::Label6, table_.computerMoney);
    view_.setHandText("");
    view_.showPhase(Phase::ComputerFirstDeal);
    inicial3();
}

// Both sides pay their half again and the doubled stake is played for at once, with no bet.
void Game::tiePlayerFirstDeal() {
    doubleStakeOnTie();
    view_.setHandText("");
    view_.showPhase(Phase::ComputerFirstDeal);
    if (endOfMatchCheck(OutTest::BelowZero, true) == CheckResult::Stop) {
        return;
    }
    inicial1();
}

} // namespace game
