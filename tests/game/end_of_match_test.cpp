// SPDX-License-Identifier: MIT
#include "table_fixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using test::caption;
using test::cue;
using test::hand;
using test::hide;
using test::join;
using test::Log;
using test::money;
using test::okBox;
using test::Phase;
using test::show;
using test::Table;

// One of the seven places that run the check. Amounts are those at the moment of the check.
struct Caller {
    std::string name;
    bool zeroIsOut;     // the computer's bet tests "0 or less", the others "below 0"
    int deficit;        // how far below zero a side that had nothing goes at the check
    int refund;         // the player's own half of the stake that a refill gives back
    Phase phaseOnGoing; // where the caller leads when nobody is out
    std::function<void(Table&, int player, int computer)> arrange;
    std::function<void(Table&)> act;
    std::function<Log(int player, int computer)> before; // logged ahead of the check
    std::function<Log(int player, int computer)> after;  // logged when the check goes on
    std::function<std::pair<int, int>(int player, int computer)> moneyAfterGoingOn;
};

void scriptGainAndLossRolls(Table& t, int player) {
    if (player > 400) {
        t.scriptEventRoll(1);
    }
    if (player > 0) {
        t.scriptEventRoll(1);
    }
}

Caller betButton(int bet) {
    Caller c;
    c.name = "Bet" + std::to_string(bet);
    c.zeroIsOut = false;
    c.deficit = bet;
    c.refund = bet;
    c.phaseOnGoing = Phase::PlayerFirstDeal;
    c.arrange = [bet](Table& t, int player, int computer) {
        t.enterPhase(Phase::ChoosingBet);
        t.setMoney(player + bet, computer + bet, 0);
        t.stackShuffle({" туз пики", " семь червы"});
    };
    c.act = [bet](Table& t) {
        switch (bet) {
        case 25:
            return t.game.run(game::Command::Command6);
        case 50:
            return t.game.run(game::Command::Command7);
        case 100:
            return t.game.run(game::Command::Command8);
        default:
            return t.game.run(game::Command::Command9);
        }
    };
    c.before = [](int, int) { return Log{}; };
    c.after = [bet](int player, int computer) {
        return join({{cue("win.wav"), money("Label4", player), money("Label6", computer),
                      money("Label8", 2 * bet), show("Text1"), show("Command1"), show("Command2"),
                      hide("Command6"), hide("Command7"), hide("Command8"), hide("Command9")},
                     test::playerFirstOpeningLog(" туз пики семь червы")});
    };
    c.moneyAfterGoingOn = [](int player, int computer) { return std::make_pair(player, computer); };
    return c;
}

// A tie on 18 with 100 on the table: each side pays 50 more and 200 lies on the table.
Caller playerFirstTie() {
    Caller c;
    c.name = "HandOverTie";
    c.zeroIsOut = false;
    c.deficit = 50;
    c.refund = 100;
    c.phaseOnGoing = Phase::ComputerFirstDeal;
    c.arrange = [](Table& t, int player, int computer) {
        t.enterPhase(Phase::PlayerFirstDeal);
        t.setMoney(player + 50, computer + 50, 100);
        t.stackDeck(3, {" десять бубны", " восемь бубны"});
        t.state().dealtCount = 2;
        t.state().playerPoints = 18;
        scriptGainAndLossRolls(t, player);
        t.stackShuffle({" десять червы", " шесть червы", " туз пики", " семь червы"});
    };
    c.act = [](Table& t) { t.game.run(game::Command::Command2); };
    c.before = [](int player, int computer) {
        return Log{cue("oba.wav"),
                   okBox("У вас 18у компа 18У нас с тобою ничья! Так что достовляем кон и вперед"),
                   money("Label4", player),
                   money("Label6", computer),
                   money("Label8", 200),
                   hand(""),
                   hide("Command1"),
                   hide("Command2"),
                   show("Command3"),
                   show("Command4"),
                   hide("Command5"),
                   hide("Command6"),
                   hide("Command7"),
                   hide("Command8"),
                   hide("Command9")};
    };
    c.after = [](int, int) {
        return Log{cue("win.wav"), cue("deal.wav"), cue("deal.wav"), hand(" туз пики семь червы"),
                   okBox("На кону 200Мне хватит. Бери себе")};
    };
    c.moneyAfterGoingOn = [](int player, int computer) { return std::make_pair(player, computer); };
    return c;
}

Caller computerFirstTie() {
    Caller c;
    c.name = "StandTie";
    c.zeroIsOut = false;
    c.deficit = 50;
    c.refund = 100;
    c.phaseOnGoing = Phase::PlayerFirstDeal;
    c.arrange = [](Table& t, int player, int computer) {
        t.enterPhase(Phase::ComputerFirstDeal);
        t.setMoney(player + 50, computer + 50, 100);
        t.state().playerPoints = 18;
        t.state().computerPoints = 18;
        t.stackShuffle({" туз пики", " семь червы"});
    };
    c.act = [](Table& t) { t.game.run(game::Command::Command4); };
    c.before = [](int player, int computer) {
        return Log{
            cue("oba.wav"),
            okBox("У вас 18у компа 18Это называется боевая ничья. Давай пожмем руки и вперед."),
            money("Label4", player),
            money("Label6", computer),
            money("Label8", 200),
            show("Command1"),
            show("Command2"),
            hide("Command3"),
            hide("Command4"),
            hide("Command5"),
            hand("")};
    };
    c.after = [](int, int) { return test::playerFirstOpeningLog(" туз пики семь червы"); };
    c.moneyAfterGoingOn = [](int player, int computer) { return std::make_pair(player, computer); };
    return c;
}

// The computer's bet as the settlement before it leaves the table: nothing is on it.
Caller computersBet() {
    Caller c;
    c.name = "ComputersBet";
    c.zeroIsOut = true;
    c.deficit = 0;
    c.refund = 0;
    c.phaseOnGoing = Phase::ComputerFirstDeal;
    c.arrange = [](Table& t, int player, int computer) {
        t.enterPhase(Phase::ComputerFirstDeal);
        t.setMoney(player, computer, 100);
        scriptGainAndLossRolls(t, player - 25);
        t.stackShuffle({" десять червы", " шесть червы", " туз пики", " семь червы"});
    };
    c.act = [](Table& t) { t.game.inicial3(); };
    c.before = [](int, int) { return Log{}; };
    c.after = [](int player, int computer) {
        return Log{money("Label4", player - 25),
                   money("Label6", computer - 25),
                   money("Label8", 50),
                   cue("win.wav"),
                   cue("deal.wav"),
                   cue("deal.wav"),
                   hand(" туз пики семь червы"),
                   okBox("На кону 50Мне хватит. Бери себе")};
    };
    c.moneyAfterGoingOn = [](int player, int computer) {
        return std::make_pair(player - 25, computer - 25);
    };
    return c;
}

const std::vector<Caller>& callers() {
    static const std::vector<Caller> all{betButton(25),  betButton(50),    betButton(100),
                                         betButton(200), playerFirstTie(), computerFirstTie(),
                                         computersBet()};
    return all;
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

void PrintTo(const CheckCase& c, std::ostream* os) {
    *os << callers()[c.caller].name << ' ' << c.scenario.name;
}

std::vector<CheckCase> checkCases() {
    std::vector<CheckCase> cases;
    for (std::size_t i = 0; i < callers().size(); ++i) {
        for (const Scenario& s : callers()[i].zeroIsOut ? kZeroOrBelow : kBelowZero) {
            cases.push_back({i, s});
        }
    }
    return cases;
}

int amount(Amount a, const Caller& caller) {
    switch (a) {
    case Amount::Out:
        return -caller.deficit;
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
    const Caller& caller = callers()[GetParam().caller];
    const Scenario& s = GetParam().scenario;
    const int player = amount(s.player, caller);
    const int computer = amount(s.computer, caller);
    Table t;
    caller.arrange(t, player, computer);
    if (s.answer != 0) {
        t.world.yesNoAnswers = {s.answer};
    }

    const Log before = caller.before(player, computer);
    switch (s.expect) {
    case Expect::GoOn: {
        caller.act(t);
        EXPECT_EQ(t.world.log, join({before, caller.after(player, computer)}));
        EXPECT_EQ(std::make_pair(t.state().playerMoney, t.state().computerMoney),
                  caller.moneyAfterGoingOn(player, computer));
        EXPECT_EQ(t.visibleSet(), test::phaseSet(caller.phaseOnGoing));
        EXPECT_TRUE(t.random.fractions.empty());
        break;
    }
    case Expect::NewMatch:
        caller.act(t);
        EXPECT_EQ(t.world.log, join({before, test::playerOutLog(s.answer), test::newMatchLog()}));
        EXPECT_EQ(t.state().playerMoney, 1000);
        EXPECT_EQ(t.state().computerMoney, 1000);
        EXPECT_EQ(t.state().answer, game::kResultYes);
        EXPECT_EQ(t.visibleSet(), test::phaseSet(Phase::BettingClosed));
        break;
    case Expect::Refill:
        caller.act(t);
        EXPECT_EQ(t.world.log, join({before, test::computerOutLog(s.answer),
                                     test::refillLog(player + caller.refund)}));
        EXPECT_EQ(t.state().playerMoney, player + caller.refund);
        EXPECT_EQ(t.state().computerMoney, 1000);
        EXPECT_EQ(t.state().answer, game::kResultYes);
        EXPECT_EQ(t.visibleSet(), test::phaseSet(Phase::BettingClosed));
        break;
    case Expect::PlayerQuits:
    case Expect::ComputerQuits: {
        EXPECT_THROW(caller.act(t), game::Termination);
        const Log question = s.expect == Expect::PlayerQuits ? test::playerOutLog(s.answer)
                                                             : test::computerOutLog(s.answer);
        EXPECT_EQ(t.world.log, join({before, question, test::goodbyeLog()}));
        // Nothing ran after the answer: the amounts are those the check found.
        EXPECT_EQ(t.state().playerMoney, player);
        EXPECT_EQ(t.state().computerMoney, computer);
        EXPECT_EQ(t.state().answer, game::kResultNo);
        break;
    }
    }
    EXPECT_TRUE(t.world.yesNoAnswers.empty());
}

INSTANTIATE_TEST_SUITE_P(Callers, EndOfMatchCheck, testing::ValuesIn(checkCases()),
                         [](const testing::TestParamInfo<CheckCase>& info) {
                             return callers()[info.param.caller].name + info.param.scenario.name;
                         });

// The refill used to leave the player's bet on a table nobody plays on.
TEST(BankRefill, AfterABetButtonThePlayerHasWhatItHadBeforeTheClick) {
    for (int bet : {25, 50, 100, 200}) {
        Table t;
        betButton(bet).arrange(t, 600 - bet, -bet); // 600 and 0 before the click
        t.world.yesNoAnswers = {game::kResultYes};
        betButton(bet).act(t);
        EXPECT_EQ(t.state().playerMoney, 600) << bet;
        EXPECT_EQ(t.state().computerMoney, 1000) << bet;
        EXPECT_EQ(t.world.captions[game::Control::Label4], " 600") << bet;
        EXPECT_EQ(t.world.captions[game::Control::Label6], " 1000") << bet;
        EXPECT_EQ(t.world.captions[game::Control::Label8], "") << bet;
    }
}

// The captions used to go on showing the negative amounts a tie had written.
TEST(BankRefill, AfterATieTheCaptionsShowTheRealAmountsAndNothingOnTheTable) {
    for (const Caller& caller : {playerFirstTie(), computerFirstTie()}) {
        Table t;
        caller.arrange(t, 300, -50); // the computer had nothing and tied 100
        t.world.yesNoAnswers = {game::kResultYes};
        caller.act(t);
        // The player paid 50 and 50 into the 200 on the table and takes its 100 back.
        EXPECT_EQ(t.state().playerMoney, 400) << caller.name;
        EXPECT_EQ(t.world.captions[game::Control::Label4], " 400") << caller.name;
        EXPECT_EQ(t.world.captions[game::Control::Label6], " 1000") << caller.name;
        EXPECT_EQ(t.world.captions[game::Control::Label8], "") << caller.name;
    }
}

TEST(BankRefill, BeforeTheComputersBetNothingIsOnTheTableToGiveBack) {
    Table t;
    computersBet().arrange(t, 700, 0);
    t.world.captions[game::Control::Label8] = " 100";
    t.world.yesNoAnswers = {game::kResultYes};
    t.game.inicial3();
    EXPECT_EQ(t.state().playerMoney, 700);
    EXPECT_EQ(t.state().stake, 100); // left for the next bet to set
    EXPECT_EQ(t.world.captions[game::Control::Label8], "");
    EXPECT_EQ(t.random.reseeds, 0); // no bet was drawn
}

TEST(NewMatch, EmptiesTheStakeCaptionButLeavesTheRestOfTheDeal) {
    Table t;
    t.setMoney(300, 1700, 400);
    t.state().dealtCount = 5;
    t.state().playerPoints = 19;
    t.world.hand = " туз пики";
    t.game.inicial2();
    EXPECT_EQ(t.world.log, test::newMatchLog());
    EXPECT_EQ(t.state().stake, 400);
    EXPECT_EQ(t.state().dealtCount, 5);
    EXPECT_EQ(t.state().playerPoints, 19);
    EXPECT_EQ(t.world.hand, " туз пики");
}

} // namespace
