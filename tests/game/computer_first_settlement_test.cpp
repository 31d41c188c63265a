// SPDX-License-Identifier: MIT
#include "rules_log.h"
#include "table.h"

#include <gtest/gtest.h>

namespace {

using namespace kit;

enum class Result { PlayerWins, ComputerWins, Tie };

// What the computer says of one outcome, after the two totals.
struct Outcome {
    std::string cue;
    std::string text;
    Result result;
    std::string them = "у компа";
};

const Outcome kC1{"ooh.wav", "Зувик-это круто! Эх, нет в жизни счастья и денег тоже нет.",
                  Result::PlayerWins};
const Outcome kC2{"ooh.wav", "Вот неудача, я проиграл. Ну, это я просто расслабился",
                  Result::PlayerWins};
const Outcome kC3{"ooh.wav", "Тьфу, я перебрал. А ведь такая хорошая карта шла.",
                  Result::PlayerWins, "У компа"};
const Outcome kC4{"ye.wav",
                  "Отлично! У тебя перебор! Не надо так нервничать, нервные клетки не "
                  "востанавливаються.",
                  Result::ComputerWins};
const Outcome kC5{
    "ye.wav", "У меня зувик! Тебе надо сначало в тряпочные потренироваться, а не в карты играть",
    Result::ComputerWins};
const Outcome kC6{"oba.wav", "Это называется боевая ничья. Давай пожмем руки и вперед.",
                  Result::Tie};
const Outcome kC7{"oba.wav",
                  "Ну что дружок, перебрали мы с тобой. Ну давай доставлять кон и продолжим игру.",
                  Result::Tie};
const Outcome kC8{"ye.wav", "Ага! Проиграл! Здесь вам нетут, там вам покажут.",
                  Result::ComputerWins};

struct StandCase {
    const char* name;
    int playerPoints;
    int computerPoints;
    Outcome outcome;
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
    return {money("Label4", player), money("Label6", computer), caption("Label8", ""),
            phase(Phase::BettingClosed), hand("")};
}

class ComputerFirstSettlement : public testing::TestWithParam<StandCase> {};

TEST_P(ComputerFirstSettlement, TheOutcomeMovesTheStakeAndSetsTheNextPhase) {
    const StandCase& c = GetParam();
    const Result result = c.outcome.result;
    Table t;
    arrange(t, c.playerPoints, c.computerPoints);
    t.game.run(game::Command::Command4);

    const Log announced{cue(c.outcome.cue),
                        okBox("У вас " + std::to_string(c.playerPoints) + c.outcome.them + " " +
                              std::to_string(c.computerPoints) + c.outcome.text)};
    const int player = result == Result::PlayerWins ? 1100 : result == Result::Tie ? 800 : 900;
    const int computer = result == Result::ComputerWins ? 1100 : result == Result::Tie ? 800 : 900;
    if (result == Result::Tie) {
        EXPECT_EQ(t.world.log, join({announced,
                                     amountsLog(800, 800, 400),
                                     {phase(Phase::PlayerFirstDeal), hand("")},
                                     playerFirstOpeningLog(" туз пики семь червы")}));
        EXPECT_EQ(t.state.playerPoints, 18);
        EXPECT_EQ(t.state.dealtCount, 2);
        EXPECT_TRUE(t.world.fractions.empty());
    } else {
        EXPECT_EQ(t.world.log, join({announced, bettingClosed(player, computer)}));
        // The totals wait for the next opening.
        EXPECT_EQ(t.state.playerPoints, c.playerPoints);
        EXPECT_EQ(t.state.computerPoints, c.computerPoints);
        EXPECT_EQ(t.state.dealtCount, 6);
    }
    EXPECT_EQ(t.state.answer, 1);
    EXPECT_EQ(t.state.playerMoney, player);
    EXPECT_EQ(t.state.computerMoney, computer);
    // A decided deal leaves stake as it was behind the empty caption.
    EXPECT_EQ(t.state.stake, result == Result::Tie ? 400 : 200);
}

INSTANTIATE_TEST_SUITE_P(Cases, ComputerFirstSettlement,
                         testing::Values(StandCase{"C1PlayerOn21AgainstBust", 21, 23, kC1},
                                         StandCase{"C2PlayerHigher", 19, 17, kC2},
                                         StandCase{"C3ComputerBustWithACapital", 18, 26, kC3},
                                         StandCase{"C4PlayerBustOnTwoAces", 22, 17, kC4},
                                         StandCase{"C5ComputerOn21AgainstBust", 25, 21, kC5},
                                         StandCase{"C6BothOn21", 21, 21, kC6},
                                         StandCase{"C7BothBust", 23, 24, kC7},
                                         StandCase{"C8ComputerHigher", 12, 16, kC8}),
                         byName);

INSTANTIATE_TEST_SUITE_P(Boundaries, ComputerFirstSettlement,
                         testing::Values(StandCase{"PlayerOn21AgainstLowerIsCase1", 21, 16, kC1},
                                         StandCase{"ComputerOn21AgainstLowerIsCase5", 20, 21, kC5},
                                         StandCase{"EqualBelow21", 18, 18, kC6},
                                         StandCase{"PlayerPastFortyIsJustBust", 44, 20, kC4}),
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
