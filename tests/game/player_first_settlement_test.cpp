// SPDX-License-Identifier: MIT
#include "rules_log.h"
#include "table.h"

#include <gtest/gtest.h>

namespace {

using namespace kit;

using Cards = std::vector<std::string>;

enum class Result { PlayerWins, ComputerWins, Tie };

// What the computer says of one outcome, after the two totals.
struct Outcome {
    std::string cue;
    std::string text;
    Result result;
    std::string you = "У вас";
};

const Outcome kO1{"ye.wav",
                  "ура, проиграл! Это тебе не в шахматы играть, тут думать надо. ну держись, я "
                  "сдаю! ",
                  Result::ComputerWins, "у вас"};
const Outcome kO2{
    "ooh.wav", "Тебе повезло. Но ты не сильно радуйся, карта не лошадь, в одну сторону не везет.",
    Result::PlayerWins};
const Outcome kO3{"oba.wav",
                  "У тебя зувик? И у меня зувик. Всетаки правильно говорят, что дуракам и "
                  "пьяницам везет",
                  Result::Tie};
const Outcome kO4{"oba.wav", "У нас с тобою ничья! Так что достовляем кон и вперед", Result::Tie};
const Outcome kO5{"ooh.wav",
                  "У меня перебор. Ну что ты пляшешь, как грешник на сковородке, будет и на моей "
                  "улице праздник",
                  Result::PlayerWins};
const Outcome kO6{"oba.wav",
                  "Мы с тобою братан перебрали. Так чтотипо конкретно доставляем кон и продолжаем "
                  "игру",
                  Result::Tie};
const Outcome kO7{"ye.wav",
                  "Ага, перебрал! А ведь тебя мама предупреждала, не играй в карты деточка на "
                  "денежки",
                  Result::ComputerWins};
const Outcome kO8{"ooh.wav", "Ого, у тебя зувик! Ну выше задницы не прыгнешь", Result::PlayerWins};
const Outcome kO9{"ye.wav", "У меня зувик! Учись малыш, как профессионалы играют",
                  Result::ComputerWins};

struct SettlementCase {
    const char* name;
    int playerPoints;
    Cards computerCards; // from position 3 of the deck on
    int computerPoints;
    Outcome outcome;
};

// Both sides hold 300 with 100 on the table; the next computer-first deal then draws a bet of
// 50 (when there is a bet), no chance event, and 16 for the computer against 18.
void arrange(Table& t, const SettlementCase& c) {
    t.enterPhase(Phase::PlayerFirstDeal);
    t.setMoney(300, 300, 100);
    t.stackDeck(3, c.computerCards);
    t.state.dealtCount = 2;
    t.state.playerPoints = static_cast<std::uint8_t>(c.playerPoints);
    t.world.hand = " десять треф восемь треф";
    if (c.outcome.result != Result::Tie) {
        t.world.scriptBetIndex(2);
    }
    t.world.scriptEventRoll(1);
    t.world.stackShuffle({" десять червы", " шесть червы", " туз пики", " семь червы"});
}

class PlayerFirstSettlement : public testing::TestWithParam<SettlementCase> {};

TEST_P(PlayerFirstSettlement, ComputerPlaysItsHandThenTheOutcomeMovesTheStake) {
    const SettlementCase& c = GetParam();
    const Result result = c.outcome.result;
    Table t;
    arrange(t, c);
    t.game.run(game::Command::Command2);

    Log expected;
    for (std::size_t card = 2; card < c.computerCards.size(); ++card) {
        expected.push_back(cue("deal.wav"));
    }
    expected.push_back(cue(c.outcome.cue));
    expected.push_back(okBox(c.outcome.you + " " + std::to_string(c.playerPoints) + "у компа " +
                             std::to_string(c.computerPoints) + c.outcome.text));
    const Log dealControls{hand(""), phase(Phase::ComputerFirstDeal)};
    const bool won = result == Result::PlayerWins;
    if (result == Result::Tie) {
        // Each side pays another 50 and the 200 now on the table is played for, with no bet.
        expected = join({expected, amountsLog(250, 250, 200), dealControls,
                         computerFirstOpeningLog(" туз пики семь червы", 200)});
    } else {
        expected = join({expected,
                         {money("Label4", won ? 400 : 300), money("Label6", won ? 300 : 400)},
                         dealControls,
                         amountsLog(won ? 350 : 250, won ? 250 : 350, 100),
                         computerFirstOpeningLog(" туз пики семь червы", 100)});
    }
    EXPECT_EQ(t.world.log, expected);
    EXPECT_EQ(t.state.answer, 1);
    EXPECT_EQ(t.state.playerMoney, won ? 350 : 250);
    EXPECT_EQ(t.state.computerMoney, result == Result::ComputerWins ? 350 : 250);
    EXPECT_EQ(t.state.stake, result == Result::Tie ? 200 : 100);
    EXPECT_TRUE(t.world.fractions.empty());
    EXPECT_EQ(t.state.computerPoints, 16); // the next deal's hand has replaced it
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, PlayerFirstSettlement,
    testing::Values(
        SettlementCase{"O1ComputerHigherBelow21", 17, Cards{" десять червы", " девять червы"}, 19,
                       kO1},
        SettlementCase{"O2PlayerHigherBelow21", 18, Cards{" десять червы", " семь червы"}, 17, kO2},
        SettlementCase{"O3BothOn21", 21, Cards{" десять червы", " туз червы"}, 21, kO3},
        SettlementCase{"O4EqualBelow21", 18, Cards{" десять червы", " восемь червы"}, 18, kO4},
        SettlementCase{"O5TwoAcesForTheComputerAgainst20", 20, Cards{" туз червы", " туз пики"}, 22,
                       kO5},
        SettlementCase{"O6BothBustTheComputerDrawingAnyway", 23,
                       Cards{" девять червы", " шесть червы", " десять червы"}, 25, kO6},
        SettlementCase{"O7PlayerBust", 25, Cards{" десять червы", " семь червы"}, 17, kO7},
        SettlementCase{"O8PlayerOn21AgainstBust", 21,
                       Cards{" восемь червы", " король червы", " туз червы"}, 23, kO8},
        SettlementCase{"O9ComputerOn21AgainstBust", 25, Cards{" десять червы", " туз червы"}, 21,
                       kO9}),
    byName);

// The computer's rule: below 16 it draws, at most six cards, whatever the player holds.
INSTANTIATE_TEST_SUITE_P(
    ComputerRule, PlayerFirstSettlement,
    testing::Values(SettlementCase{"SixteenStandsAgainst20", 20,
                                   Cards{" десять червы", " шесть червы"}, 16, kO2},
                    SettlementCase{"FifteenDrawsOnceAndStopsBust", 18,
                                   Cards{" девять червы", " шесть червы", " туз червы"}, 26, kO5},
                    SettlementCase{"SixCardsAtMostEvenOn14", 12,
                                   Cards{" валет червы", " валет бубны", " валет треф",
                                         " валет пики", " дама червы", " дама бубны"},
                                   14, kO1},
                    SettlementCase{"TwoAcesAgainstABustPlayerTie", 23,
                                   Cards{" туз червы", " туз пики"}, 22, kO6},
                    SettlementCase{"PlayerPastFortyIsJustBust", 45,
                                   Cards{" десять червы", " семь червы"}, 17, kO7}),
    byName);

// The computer's cards follow the player's, however many the player drew.
TEST(PlayerFirstComputerTurn, TakesTheCardsAfterThePlayersAndResetsTheCount) {
    Table t;
    t.enterPhase(Phase::PlayerFirstDeal);
    t.setMoney(-50, 300, 100); // the tie ends the match, so the turn's own result stays
    t.stackDeck(6, {" десять червы", " восемь червы"});
    t.state.dealtCount = 5;
    t.state.playerPoints = 18;
    t.world.yesNoAnswers = {game::kResultYes};
    t.game.run(game::Command::Command2);
    EXPECT_EQ(t.state.computerPoints, 18);
    EXPECT_EQ(t.state.dealtCount, 0);
    EXPECT_EQ(t.world.log.at(0), cue("oba.wav"));
}

// Near the end of the deck the computer takes only the cards that are there.
TEST(PlayerFirstComputerTurn, NeverReadsPastTheLastCard) {
    Table t;
    t.enterPhase(Phase::PlayerFirstDeal);
    t.setMoney(300, 300, 100);
    t.stackDeck(35, {" валет червы", " валет бубны"});
    t.state.dealtCount = 34;
    t.state.playerPoints = 10;
    t.world.scriptBetIndex(1);
    t.world.scriptEventRoll(1);
    t.world.stackShuffle({" десять червы", " шесть червы", " туз пики", " семь червы"});
    t.game.run(game::Command::Command2);
    EXPECT_EQ(t.world.log.at(0), cue("ooh.wav"));
    EXPECT_EQ(t.world.log.at(1), okBox("У вас 10у компа 4" + kO2.text));
}

} // namespace
