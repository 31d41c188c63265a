// SPDX-License-Identifier: MIT
#include "rules_log.h"
#include "table.h"

#include <gtest/gtest.h>

namespace {

using namespace kit;

std::pair<std::int32_t, std::int32_t> copiesOf(const game::TableState& s, int bet) {
    switch (bet) {
    case 50:
        return {s.playerMoneyBefore50, s.computerMoneyBefore50};
    case 100:
        return {s.playerMoneyBefore100, s.computerMoneyBefore100};
    default:
        return {s.playerMoneyBefore200, s.computerMoneyBefore200};
    }
}

TEST(OpenTheBetting, SwapsItsButtonForTheFourBetButtonsAndNothingElse) {
    Table t;
    t.enterPhase(Phase::BettingClosed);
    t.setMoney(1000, 1000, 0);
    t.game.run(game::Command::Command5);
    EXPECT_EQ(t.world.log, Log{phase(Phase::ChoosingBet)});
    EXPECT_FALSE(t.state.answer.has_value());
}

enum class Short { Player, Computer, Both };

struct RefusalCase {
    int bet;
    Short who; // the side or sides that hold the amount; another holds 1000
    int amount;
};

std::vector<RefusalCase> refusalAmounts() {
    // The amounts of the refusal table: every positive multiple of 25 below the bet.
    std::vector<RefusalCase> cases;
    for (const int bet : {50, 100, 200}) {
        for (int amount = 25; amount < bet; amount += 25) {
            cases.push_back({bet, Short::Player, amount});
            cases.push_back({bet, Short::Computer, amount});
        }
    }
    // When neither side can cover, the player's refusal is the one heard.
    for (const auto& [bet, amount] : {std::pair{200, 25}, {100, 75}, {50, 25}}) {
        cases.push_back({bet, Short::Both, amount});
    }
    return cases;
}

class BetRefused : public testing::TestWithParam<RefusalCase> {};

TEST_P(BetRefused, SaysWhoCannotCoverAndPutsTheMoneyBack) {
    const RefusalCase& c = GetParam();
    Table t;
    t.enterPhase(Phase::ChoosingBet);
    const int player = c.who == Short::Computer ? 1000 : c.amount;
    const int computer = c.who == Short::Player ? 1000 : c.amount;
    t.setMoney(player, computer, 150);
    t.game.run(betButton(c.bet));
    // No caption is rewritten: the labels still show the amounts from before the click.
    EXPECT_EQ(t.world.log,
              (Log{cue("sv.wav"), okBox(c.who == Short::Computer ? kComputerShort : kPlayerShort),
                   phase(Phase::ChoosingBet)}));
    EXPECT_EQ(t.state.playerMoney, player);
    EXPECT_EQ(t.state.computerMoney, computer);
    EXPECT_EQ(t.state.stake, 2 * c.bet);
    EXPECT_EQ(copiesOf(t.state, c.bet), std::make_pair(player, computer));
    EXPECT_EQ(t.state.answer, 1);
}

INSTANTIATE_TEST_SUITE_P(Amounts, BetRefused, testing::ValuesIn(refusalAmounts()),
                         [](const testing::TestParamInfo<RefusalCase>& info) {
                             return "Bet" + std::to_string(info.param.bet) +
                                    (info.param.who == Short::Player     ? "Player"
                                     : info.param.who == Short::Computer ? "Computer"
                                                                         : "Both") +
                                    "Holds" + std::to_string(info.param.amount);
                         });

struct AcceptCase {
    int bet;
    int player;
    int computer;
};

class BetAccepted : public testing::TestWithParam<AcceptCase> {};

TEST_P(BetAccepted, TakesTheBetFromBothShowsTheAmountsAndOpensAPlayerFirstDeal) {
    const AcceptCase& c = GetParam();
    Table t;
    t.enterPhase(Phase::ChoosingBet);
    t.setMoney(c.player, c.computer, 0);
    t.world.stackShuffle({" туз пики", " семь червы"});
    t.game.run(betButton(c.bet));
    EXPECT_EQ(t.world.log, join({betAcceptedLog(c.player - c.bet, c.computer - c.bet, 2 * c.bet),
                                 playerFirstOpeningLog(" туз пики семь червы")}));
    EXPECT_EQ(t.state.playerMoney, c.player - c.bet);
    EXPECT_EQ(t.state.computerMoney, c.computer - c.bet);
    EXPECT_EQ(t.state.stake, 2 * c.bet);
    EXPECT_EQ(t.state.playerPoints, 18);
    EXPECT_EQ(t.state.dealtCount, 2);
    if (c.bet != 25) {
        EXPECT_EQ(copiesOf(t.state, c.bet), std::make_pair(c.player, c.computer));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BetAccepted,
                         testing::Values(AcceptCase{25, 1000, 1000}, AcceptCase{50, 1000, 1000},
                                         AcceptCase{100, 1000, 1000}, AcceptCase{200, 1000, 1000},
                                         // Holding exactly the bet is enough, and leaves " 0".
                                         AcceptCase{25, 25, 1000}, AcceptCase{50, 50, 1000},
                                         AcceptCase{100, 100, 1000}, AcceptCase{200, 200, 1000},
                                         AcceptCase{200, 1000, 200}, AcceptCase{100, 1000, 100}),
                         [](const testing::TestParamInfo<AcceptCase>& info) {
                             return "Bet" + std::to_string(info.param.bet) + "Player" +
                                    std::to_string(info.param.player) + "Computer" +
                                    std::to_string(info.param.computer);
                         });

// The computer's bet: at random while both hold 200 or more, else 25.
struct ComputerBetCase {
    const char* name;
    int player;
    int computer;
    double fraction; // the draw offered; a fallback bet must leave it undrawn
    int stake;
    int betIndex;
    std::vector<int> rolls; // what the opening after it draws
};

class ComputerBet : public testing::TestWithParam<ComputerBetCase> {};

TEST_P(ComputerBet, TakesTheBetShowsTheAmountsAndOpensAComputerFirstDeal) {
    const ComputerBetCase& c = GetParam();
    Table t;
    t.enterPhase(Phase::ComputerFirstDeal);
    t.setMoney(c.player, c.computer, 700);
    t.state.betIndex = 3;
    if (c.player >= 200 && c.computer >= 200) {
        t.world.fractions.push_back(c.fraction);
    }
    for (int roll : c.rolls) {
        t.world.scriptEventRoll(roll);
    }
    t.world.stackShuffle({" десять червы", " шесть червы", " туз пики", " семь червы"});
    t.game.inicial3();
    const int bet = c.stake / 2;
    EXPECT_EQ(t.world.log, join({{money("Label4", c.player - bet),
                                  money("Label6", c.computer - bet), money("Label8", c.stake)},
                                 computerFirstOpeningLog(" туз пики семь червы", c.stake)}));
    EXPECT_EQ(t.state.playerMoney, c.player - bet);
    EXPECT_EQ(t.state.computerMoney, c.computer - bet);
    EXPECT_EQ(t.state.stake, c.stake);
    EXPECT_EQ(t.state.betIndex, c.betIndex);
    EXPECT_EQ(t.world.reseeds, 3); // its own, then the opening's two
    EXPECT_TRUE(t.world.fractions.empty());
}

// A fallback bet leaves betIndex at the 3 it held.
INSTANTIATE_TEST_SUITE_P(
    Cases, ComputerBet,
    testing::Values(ComputerBetCase{"LowestDrawBets25", 300, 300, 0.0, 50, 1, {1}},
                    ComputerBetCase{"JustBelowOneSixthBets25", 300, 300, 0.166, 50, 1, {1}},
                    ComputerBetCase{"OneSixthBets50", 300, 300, 0.167, 100, 2, {1}},
                    ComputerBetCase{"ExactHalfGoesToTheEven50", 300, 300, 0.5, 100, 2, {1}},
                    ComputerBetCase{"AboveHalfBets100", 300, 300, 0.51, 200, 3, {1}},
                    ComputerBetCase{"TopBets200", 1000, 1000, 0.9, 400, 4, {1, 1}},
                    ComputerBetCase{"Both200MayBetAll", 200, 200, 0.99, 400, 4, {}},
                    ComputerBetCase{"Player175FallsBackTo25", 175, 1000, 0.99, 50, 3, {1}},
                    ComputerBetCase{"Computer150FallsBackTo25", 1000, 150, 0.99, 50, 3, {1, 1}},
                    ComputerBetCase{"Player25PlaysForFiftyOnZero", 25, 1000, 0.99, 50, 3, {}}),
    byName);

} // namespace
