// SPDX-License-Identifier: MIT
#include "rules_log.h"
#include "table.h"

#include <gtest/gtest.h>

namespace {

using namespace kit;

using Cards = std::vector<std::string>;

enum class Result { PlayerWins, ComputerWins, Tie };

struct SettlementCase {
    const char* name;
    int playerPoints;
    Cards computerCards; // from position 3 of the deck on
    int computerPoints;
    std::string cue;
    std::string prompt;
    Result result;
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
    if (c.result != Result::Tie) {
        t.world.scriptBetIndex(2);
    }
    t.world.scriptEventRoll(1);
    t.world.stackShuffle({" десять червы", " шесть червы", " туз пики", " семь червы"});
}

class PlayerFirstSettlement : public testing::TestWithParam<SettlementCase> {};

TEST_P(PlayerFirstSettlement, ComputerPlaysItsHandThenTheOutcomeMovesTheStake) {
    const SettlementCase& c = GetParam();
    Table t;
    arrange(t, c);
    t.game.run(game::Command::Command2);

    Log expected;
    for (std::size_t card = 2; card < c.computerCards.size(); ++card) {
        expected.push_back(cue("deal.wav"));
    }
    expected.push_back(cue(c.cue));
    expected.push_back(okBox(c.prompt));
    const Log dealControls = join({{hand("")}, computerFirstButtonsLog()});
    const bool won = c.result == Result::PlayerWins;
    if (c.result == Result::Tie) {
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
    EXPECT_EQ(t.state.computerMoney, c.result == Result::ComputerWins ? 350 : 250);
    EXPECT_EQ(t.state.stake, c.result == Result::Tie ? 200 : 100);
    EXPECT_EQ(t.world.shown(), controlsOf(Phase::ComputerFirstDeal));
    EXPECT_TRUE(t.world.fractions.empty());
    EXPECT_EQ(t.state.computerPoints, 16); // the next deal's hand has replaced it
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, PlayerFirstSettlement,
    testing::Values(
        SettlementCase{"O1ComputerHigherBelow21", 17, Cards{" десять червы", " девять червы"}, 19,
                       "ye.wav",
                       "у вас 17у компа 19ура, проиграл! Это тебе не в шахматы играть, тут "
                       "думать надо. ну держись, я сдаю! ",
                       Result::ComputerWins},
        SettlementCase{"O2PlayerHigherBelow21", 18, Cards{" десять червы", " семь червы"}, 17,
                       "ooh.wav",
                       "У вас 18у компа 17Тебе повезло. Но ты не сильно радуйся, карта не "
                       "лошадь, в одну сторону не везет.",
                       Result::PlayerWins},
        SettlementCase{"O3BothOn21", 21, Cards{" десять червы", " туз червы"}, 21, "oba.wav",
                       "У вас 21у компа 21У тебя зувик? И у меня зувик. Всетаки правильно "
                       "говорят, что дуракам и пьяницам везет",
                       Result::Tie},
        SettlementCase{"O4EqualBelow21", 18, Cards{" десять червы", " восемь червы"}, 18, "oba.wav",
                       "У вас 18у компа 18У нас с тобою ничья! Так что достовляем кон и вперед",
                       Result::Tie},
        SettlementCase{"O5TwoAcesForTheComputerAgainst20", 20, Cards{" туз червы", " туз пики"}, 22,
                       "ooh.wav",
                       "У вас 20у компа 22У меня перебор. Ну что ты пляшешь, как грешник на "
                       "сковородке, будет и на моей улице праздник",
                       Result::PlayerWins},
        SettlementCase{"O6BothBustTheComputerDrawingAnyway", 23,
                       Cards{" девять червы", " шесть червы", " десять червы"}, 25, "oba.wav",
                       "У вас 23у компа 25Мы с тобою братан перебрали. Так чтотипо конкретно "
                       "доставляем кон и продолжаем игру",
                       Result::Tie},
        SettlementCase{"O7PlayerBust", 25, Cards{" десять червы", " семь червы"}, 17, "ye.wav",
                       "У вас 25у компа 17Ага, перебрал! А ведь тебя мама предупреждала, не "
                       "играй в карты деточка на денежки",
                       Result::ComputerWins},
        SettlementCase{"O8PlayerOn21AgainstBust", 21,
                       Cards{" восемь червы", " король червы", " туз червы"}, 23, "ooh.wav",
                       "У вас 21у компа 23Ого, у тебя зувик! Ну выше задницы не прыгнешь",
                       Result::PlayerWins},
        SettlementCase{"O9ComputerOn21AgainstBust", 25, Cards{" десять червы", " туз червы"}, 21,
                       "ye.wav",
                       "У вас 25у компа 21У меня зувик! Учись малыш, как профессионалы играют",
                       Result::ComputerWins}),
    byName);

// The computer's rule: below 16 it draws, at most six cards, whatever the player holds.
INSTANTIATE_TEST_SUITE_P(
    ComputerRule, PlayerFirstSettlement,
    testing::Values(
        SettlementCase{"SixteenStandsAgainst20", 20, Cards{" десять червы", " шесть червы"}, 16,
                       "ooh.wav",
                       "У вас 20у компа 16Тебе повезло. Но ты не сильно радуйся, карта не "
                       "лошадь, в одну сторону не везет.",
                       Result::PlayerWins},
        SettlementCase{"FifteenDrawsOnceAndStopsBust", 18,
                       Cards{" девять червы", " шесть червы", " туз червы"}, 26, "ooh.wav",
                       "У вас 18у компа 26У меня перебор. Ну что ты пляшешь, как грешник на "
                       "сковородке, будет и на моей улице праздник",
                       Result::PlayerWins},
        SettlementCase{"SixCardsAtMostEvenOn14", 12,
                       Cards{" валет червы", " валет бубны", " валет треф", " валет пики",
                             " дама червы", " дама бубны"},
                       14, "ye.wav",
                       "у вас 12у компа 14ура, проиграл! Это тебе не в шахматы играть, тут "
                       "думать надо. ну держись, я сдаю! ",
                       Result::ComputerWins},
        SettlementCase{"TwoAcesAgainstABustPlayerTie", 23, Cards{" туз червы", " туз пики"}, 22,
                       "oba.wav",
                       "У вас 23у компа 22Мы с тобою братан перебрали. Так чтотипо конкретно "
                       "доставляем кон и продолжаем игру",
                       Result::Tie},
        SettlementCase{"PlayerPastFortyIsJustBust", 45, Cards{" десять червы", " семь червы"}, 17,
                       "ye.wav",
                       "У вас 45у компа 17Ага, перебрал! А ведь тебя мама предупреждала, не "
                       "играй в карты деточка на денежки",
                       Result::ComputerWins}),
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
    EXPECT_EQ(t.world.log.at(1), okBox("У вас 10у компа 4Тебе повезло. Но ты не сильно радуйся, "
                                       "карта не лошадь, в одну сторону не везет."));
}

} // namespace
