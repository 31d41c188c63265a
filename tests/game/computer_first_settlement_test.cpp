// SPDX-License-Identifier: MIT
#include "rules_log.h"
#include "table.h"

#include <gtest/gtest.h>

namespace {

using namespace kit;

enum class Result { PlayerWins, ComputerWins, Tie };

struct StandCase {
    const char* name;
    int playerPoints;
    int computerPoints;
    std::string cue;
    std::string prompt;
    Result result;
};

// Both sides hold 900 with 200 on the table.
void arrange(Table& t, int player, int computer) {
    t.enterPhase(Phase::ComputerFirstDeal);
    t.setMoney(900, 900, 200);
    t.state.playerPoints = static_cast<std::uint8_t>(player);
    t.state.computerPoints = static_cast<std::uint8_t>(computer);
    t.state.dealtCount = 6;
    t.world.hand = " десять треф восемь треф";
    t.world.stackShuffle({" туз пики", " семь червы"}); // used only by the deal after a tie
}

Log bettingClosed(int player, int computer) {
    return {money("Label4", player), money("Label6", computer),
            caption("Label8", ""),   hide("Text1"),
            hide("Command1"),        hide("Command2"),
            hide("Command3"),        hide("Command4"),
            show("Command5"),        hand("")};
}

class ComputerFirstSettlement : public testing::TestWithParam<StandCase> {};

TEST_P(ComputerFirstSettlement, TheOutcomeMovesTheStakeAndSetsTheNextPhase) {
    const StandCase& c = GetParam();
    Table t;
    arrange(t, c.playerPoints, c.computerPoints);
    t.game.run(game::Command::Command4);

    const Log announced{cue(c.cue), okBox(c.prompt)};
    const int player = c.result == Result::PlayerWins ? 1100 : c.result == Result::Tie ? 800 : 900;
    const int computer = c.result == Result::ComputerWins ? 1100
                         : c.result == Result::Tie        ? 800
                                                          : 900;
    if (c.result == Result::Tie) {
        EXPECT_EQ(t.world.log,
                  join({announced,
                        {money("Label4", 800), money("Label6", 800), money("Label8", 400),
                         show("Command1"), show("Command2"), hide("Command3"), hide("Command4"),
                         hide("Command5"), hand("")},
                        playerFirstOpeningLog(" туз пики семь червы")}));
        EXPECT_EQ(t.world.shown(), controlsOf(Phase::PlayerFirstDeal));
        EXPECT_EQ(t.state.playerPoints, 18);
        EXPECT_EQ(t.state.dealtCount, 2);
        EXPECT_TRUE(t.world.fractions.empty());
    } else {
        EXPECT_EQ(t.world.log, join({announced, bettingClosed(player, computer)}));
        EXPECT_EQ(t.world.shown(), controlsOf(Phase::BettingClosed));
        // The totals wait for the next opening.
        EXPECT_EQ(t.state.playerPoints, c.playerPoints);
        EXPECT_EQ(t.state.computerPoints, c.computerPoints);
        EXPECT_EQ(t.state.dealtCount, 6);
    }
    EXPECT_EQ(t.state.answer, 1);
    EXPECT_EQ(t.state.playerMoney, player);
    EXPECT_EQ(t.state.computerMoney, computer);
    // A decided deal leaves stake as it was behind the empty caption.
    EXPECT_EQ(t.state.stake, c.result == Result::Tie ? 400 : 200);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ComputerFirstSettlement,
    testing::Values(
        StandCase{"C1PlayerOn21AgainstBust", 21, 23, "ooh.wav",
                  "У вас 21у компа 23Зувик-это круто! Эх, нет в жизни счастья и денег тоже нет.",
                  Result::PlayerWins},
        StandCase{"C2PlayerHigher", 19, 17, "ooh.wav",
                  "У вас 19у компа 17Вот неудача, я проиграл. Ну, это я просто расслабился",
                  Result::PlayerWins},
        StandCase{"C3ComputerBustWithACapital", 18, 26, "ooh.wav",
                  "У вас 18У компа 26Тьфу, я перебрал. А ведь такая хорошая карта шла.",
                  Result::PlayerWins},
        StandCase{"C4PlayerBustOnTwoAces", 22, 17, "ye.wav",
                  "У вас 22у компа 17Отлично! У тебя перебор! Не надо так нервничать, нервные "
                  "клетки не востанавливаються.",
                  Result::ComputerWins},
        StandCase{"C5ComputerOn21AgainstBust", 25, 21, "ye.wav",
                  "У вас 25у компа 21У меня зувик! Тебе надо сначало в тряпочные "
                  "потренироваться, а не в карты играть",
                  Result::ComputerWins},
        StandCase{"C6BothOn21", 21, 21, "oba.wav",
                  "У вас 21у компа 21Это называется боевая ничья. Давай пожмем руки и вперед.",
                  Result::Tie},
        StandCase{"C7BothBust", 23, 24, "oba.wav",
                  "У вас 23у компа 24Ну что дружок, перебрали мы с тобой. Ну давай доставлять "
                  "кон и продолжим игру.",
                  Result::Tie},
        StandCase{"C8ComputerHigher", 12, 16, "ye.wav",
                  "У вас 12у компа 16Ага! Проиграл! Здесь вам нетут, там вам покажут.",
                  Result::ComputerWins}),
    byName);

INSTANTIATE_TEST_SUITE_P(
    Boundaries, ComputerFirstSettlement,
    testing::Values(
        StandCase{"PlayerOn21AgainstLowerIsCase1", 21, 16, "ooh.wav",
                  "У вас 21у компа 16Зувик-это круто! Эх, нет в жизни счастья и денег тоже нет.",
                  Result::PlayerWins},
        StandCase{"ComputerOn21AgainstLowerIsCase5", 20, 21, "ye.wav",
                  "У вас 20у компа 21У меня зувик! Тебе надо сначало в тряпочные "
                  "потренироваться, а не в карты играть",
                  Result::ComputerWins},
        StandCase{"EqualBelow21", 18, 18, "oba.wav",
                  "У вас 18у компа 18Это называется боевая ничья. Давай пожмем руки и вперед.",
                  Result::Tie},
        StandCase{"PlayerPastFortyIsJustBust", 44, 20, "ye.wav",
                  "У вас 44у компа 20Отлично! У тебя перебор! Не надо так нервничать, нервные "
                  "клетки не востанавливаються.",
                  Result::ComputerWins}),
    byName);

// Every pair of totals that play can bring ends as the plain rule says: both bust tie, one
// bust loses, otherwise the higher total wins and equal totals tie.
TEST(ComputerFirstSettlementRule, EveryPairOfTotalsFollowsThePlainRule) {
    for (int player = 4; player <= 51; ++player) {
        for (int computer = 16; computer <= 26; ++computer) {
            Table t;
            arrange(t, player, computer);
            t.game.run(game::Command::Command4);
            const bool playerBust = player > 21;
            const bool computerBust = computer > 21;
            Result expected = Result::Tie;
            if (playerBust != computerBust) {
                expected = playerBust ? Result::ComputerWins : Result::PlayerWins;
            } else if (!playerBust && player != computer) {
                expected = player > computer ? Result::PlayerWins : Result::ComputerWins;
            }
            const std::string cueWanted = expected == Result::PlayerWins     ? "ooh.wav"
                                          : expected == Result::ComputerWins ? "ye.wav"
                                                                             : "oba.wav";
            SCOPED_TRACE(std::to_string(player) + " against " + std::to_string(computer));
            EXPECT_EQ(t.world.log.at(0), cue(cueWanted));
            EXPECT_EQ(t.state.playerMoney + t.state.computerMoney,
                      expected == Result::Tie ? 1600 : 2000);
            if (expected == Result::PlayerWins) {
                EXPECT_EQ(t.state.playerMoney, 1100);
            }
            if (expected == Result::ComputerWins) {
                EXPECT_EQ(t.state.computerMoney, 1100);
            }
        }
    }
}

} // namespace
