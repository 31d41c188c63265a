// SPDX-License-Identifier: MIT
#include "rules_log.h"
#include "table.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using namespace kit;
using Cards = std::vector<std::string>;

enum class Kind { Bet, HandOverTie, StandTie, ComputersBet };

// One of the seven places that run the check. Amounts are those at the moment of the check.
struct Caller {
    std::string name;
    Kind kind;
    int bet = 0; // of a bet button

    // The computer's bet tests "0 or less", the others "below 0".
    [[nodiscard]] bool zeroIsOut() const { return kind == Kind::ComputersBet; }
    // How far below zero a side that had nothing goes at the check.
    [[nodiscard]] int deficit() const {
        return kind == Kind::Bet ? bet : kind == Kind::ComputersBet ? 0 : 50;
    }
    // The player's own half of the stake that a refill gives back.
    [[nodiscard]] int refund() const {
        return kind == Kind::Bet ? bet : kind == Kind::ComputersBet ? 0 : 100;
    }
};

const std::vector<Caller> kCallers{
    {"Bet25", Kind::Bet, 25},
    {"Bet50", Kind::Bet, 50},
    {"Bet100", Kind::Bet, 100},
    {"Bet200", Kind::Bet, 200},
    {"HandOverTie", Kind::HandOverTie},
    {"StandTie", Kind::StandTie},
    {"ComputersBet", Kind::ComputersBet},
};

const Cards kPlayerFirst{" туз пики", " семь червы"};
const Cards kComputerFirst{" десять червы", " шесть червы", " туз пики", " семь червы"};

void scriptGainAndLossRolls(Table& t, int player) {
    if (player > 400) {
        t.world.scriptEventRoll(1);
    }
    if (player > 0) {
        t.world.scriptEventRoll(1);
    }
}

void arrange(const Caller& c, Table& t, int player, int computer) {
    switch (c.kind) {
    case Kind::Bet:
        t.enterPhase(Phase::ChoosingBet);
        t.setMoney(player + c.bet, computer + c.bet, 0);
        t.world.stackShuffle(kPlayerFirst);
        break;
    case Kind::HandOverTie: // 18 against 18 with 100 on the table, which the tie makes 200
        t.enterPhase(Phase::PlayerFirstDeal);
        t.setMoney(player + 50, computer + 50, 100);
        t.stackDeck(3, {" десять бубны", " восемь бубны"});
        t.state.dealtCount = 2;
        t.state.playerPoints = 18;
        scriptGainAndLossRolls(t, player);
        t.world.stackShuffle(kComputerFirst);
        break;
    case Kind::StandTie:
        t.enterPhase(Phase::ComputerFirstDeal);
        t.setMoney(player + 50, computer + 50, 100);
        t.state.playerPoints = 18;
        t.state.computerPoints = 18;
        t.world.stackShuffle(kPlayerFirst);
        break;
    case Kind::ComputersBet: // as the settlement before it leaves the table: nothing on it
        t.enterPhase(Phase::ComputerFirstDeal);
        t.setMoney(player, computer, 100);
        scriptGainAndLossRolls(t, player - 25);
        t.world.stackShuffle(kComputerFirst);
        break;
    }
}

void act(const Caller& c, Table& t) {
    switch (c.kind) {
    case Kind::Bet:
        t.game.run(betButton(c.bet));
        break;
    case Kind::HandOverTie:
        t.game.run(game::Command::Command2);
        break;
    case Kind::StandTie:
        t.game.run(game::Command::Command4);
        break;
    case Kind::ComputersBet:
        t.game.inicial3();
        break;
    }
}

// What the caller logs ahead of the check.
Log before(const Caller& c, int player, int computer) {
    if (c.kind == Kind::HandOverTie) {
        return join(
            {{cue("oba.wav"),
              okBox("У вас 18у компа 18У нас с тобою ничья! Так что достовляем кон и вперед")},
             amountsLog(player, computer, 200),
             {hand(""), phase(Phase::ComputerFirstDeal)}});
    }
    if (c.kind == Kind::StandTie) {
        return join({{cue("oba.wav"), okBox("У вас 18у компа 18Это называется боевая ничья. Давай "
                                            "пожмем руки и вперед.")},
                     amountsLog(player, computer, 200),
                     {phase(Phase::PlayerFirstDeal), hand("")}});
    }
    return {};
}

// Where the caller leads when nobody is out, what it logs on the way, and what each side pays.
struct GoingOn {
    Log log;
    int paid = 0;
};

GoingOn goingOn(const Caller& c, int player, int computer) {
    switch (c.kind) {
    case Kind::Bet:
        return {join({betAcceptedLog(player, computer, 2 * c.bet),
                      playerFirstOpeningLog(" туз пики семь червы")})};
    case Kind::HandOverTie:
        return {computerFirstOpeningLog(" туз пики семь червы", 200)};
    case Kind::StandTie:
        return {playerFirstOpeningLog(" туз пики семь червы")};
    case Kind::ComputersBet:
        break;
    }
    return {join({amountsLog(player - 25, computer - 25, 50),
                  computerFirstOpeningLog(" туз пики семь червы", 50)}),
            25};
}

enum class Amount { Out, Zero, Low, Rich };
enum class Expect { GoOn, NewMatch, PlayerQuits, Refill, ComputerQuits };

struct Scenario {
    std::string name;
    Amount player;
    Amount computer;
    int answer; // to the one Yes/No question, if any
    Expect expect;
};

// What a side on exactly 0 means differs between the variants, so each has its own list.
const std::vector<Scenario> kBelowZero{
    {"PlayerOnZeroStaysIn", Amount::Zero, Amount::Rich, 0, Expect::GoOn},
    {"ComputerOnZeroStaysIn", Amount::Rich, Amount::Zero, 0, Expect::GoOn},
    {"PlayerOutYesStartsANewMatch", Amount::Out, Amount::Rich, game::kResultYes, Expect::NewMatch},
    {"PlayerOutNoEndsTheProgram", Amount::Out, Amount::Rich, game::kResultNo, Expect::PlayerQuits},
    {"ComputerOutYesRefills", Amount::Rich, Amount::Out, game::kResultYes, Expect::Refill},
    {"ComputerOutNoEndsTheProgram", Amount::Rich, Amount::Out, game::kResultNo,
     Expect::ComputerQuits},
    {"BothOutOnlyThePlayerIsHeard", Amount::Out, Amount::Out, game::kResultYes, Expect::NewMatch},
    {"BothOutNoEndsTheProgram", Amount::Out, Amount::Out, game::kResultNo, Expect::PlayerQuits},
};
const std::vector<Scenario> kZeroOrBelow{
    {"BothWithMoneyGoOn", Amount::Low, Amount::Low, 0, Expect::GoOn},
    {"PlayerOnZeroIsOutYes", Amount::Zero, Amount::Rich, game::kResultYes, Expect::NewMatch},
    {"PlayerOnZeroIsOutNo", Amount::Zero, Amount::Rich, game::kResultNo, Expect::PlayerQuits},
    {"ComputerOnZeroIsOutYesRefills", Amount::Rich, Amount::Zero, game::kResultYes, Expect::Refill},
    {"ComputerOnZeroIsOutNo", Amount::Rich, Amount::Zero, game::kResultNo, Expect::ComputerQuits},
    {"BothOnZeroOnlyThePlayerIsHeard", Amount::Zero, Amount::Zero, game::kResultYes,
     Expect::NewMatch},
};

struct CheckCase {
    std::size_t caller;
    Scenario scenario;
};

std::vector<CheckCase> checkCases() {
    std::vector<CheckCase> cases;
    for (std::size_t i = 0; i < kCallers.size(); ++i) {
        for (const Scenario& s : kCallers[i].zeroIsOut() ? kZeroOrBelow : kBelowZero) {
            cases.push_back({i, s});
        }
    }
    return cases;
}

int amount(Amount a, const Caller& caller) {
    switch (a) {
    case Amount::Out:
        return -caller.deficit();
    case Amount::Zero:
        return 0;
    case Amount::Low:
        return 25;
    case Amount::Rich:
        return 500;
    }
    return 0;
}

class EndOfMatchCheck : public testing::TestWithParam<CheckCase> {};

TEST_P(EndOfMatchCheck, DecidesFromEachCallerWithItsOwnTest) {
    const Caller& caller = kCallers[GetParam().caller];
    const Scenario& s = GetParam().scenario;
    const int player = amount(s.player, caller);
    const int computer = amount(s.computer, caller);
    Table t;
    arrange(caller, t, player, computer);
    if (s.answer != 0) {
        t.world.yesNoAnswers = {s.answer};
    }

    const Log logged = before(caller, player, computer);
    switch (s.expect) {
    case Expect::GoOn: {
        act(caller, t);
        const GoingOn on = goingOn(caller, player, computer);
        EXPECT_EQ(t.world.log, join({logged, on.log}));
        EXPECT_EQ(t.state.playerMoney, player - on.paid);
        EXPECT_EQ(t.state.computerMoney, computer - on.paid);
        EXPECT_TRUE(t.world.fractions.empty());
        break;
    }
    case Expect::NewMatch:
    case Expect::Refill: {
        act(caller, t);
        const bool refill = s.expect == Expect::Refill;
        const int playerAfter = refill ? player + caller.refund() : 1000;
        EXPECT_EQ(t.world.log,
                  join({logged, refill ? computerOutLog(s.answer) : playerOutLog(s.answer),
                        refill ? standingLog(playerAfter, 1000) : newMatchLog()}));
        EXPECT_EQ(t.state.playerMoney, playerAfter);
        EXPECT_EQ(t.state.computerMoney, 1000);
        EXPECT_EQ(t.state.answer, game::kResultYes);
        break;
    }
    case Expect::PlayerQuits:
    case Expect::ComputerQuits: {
        EXPECT_THROW(act(caller, t), game::Termination);
        const Log question =
            s.expect == Expect::PlayerQuits ? playerOutLog(s.answer) : computerOutLog(s.answer);
        EXPECT_EQ(t.world.log, join({logged, question, goodbyeLog()}));
        // Nothing ran after the answer: the amounts are those the check found.
        EXPECT_EQ(t.state.playerMoney, player);
        EXPECT_EQ(t.state.computerMoney, computer);
        EXPECT_EQ(t.state.answer, game::kResultNo);
        break;
    }
    }
    EXPECT_TRUE(t.world.yesNoAnswers.empty());
}

INSTANTIATE_TEST_SUITE_P(Callers, EndOfMatchCheck, testing::ValuesIn(checkCases()),
                         [](const testing::TestParamInfo<CheckCase>& info) {
                             return kCallers[info.param.caller].name + info.param.scenario.name;
                         });

TEST(BankRefill, BeforeTheComputersBetNothingIsOnTheTableToGiveBack) {
    Table t;
    arrange(kCallers[6], t, 700, 0);
    t.world.captions[game::Control::Label8] = " 100";
    t.world.yesNoAnswers = {game::kResultYes};
    t.game.inicial3();
    EXPECT_EQ(t.state.playerMoney, 700);
    EXPECT_EQ(t.state.stake, 100); // left for the next bet to set
    EXPECT_EQ(t.world.captions[game::Control::Label8], "");
    EXPECT_EQ(t.world.reseeds, 0); // no bet was drawn
}

} // namespace
