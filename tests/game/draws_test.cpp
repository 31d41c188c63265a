// SPDX-License-Identifier: MIT
#include "rules_log.h"
#include "table.h"

#include <gtest/gtest.h>

namespace {

using namespace kit;
using game::Command;

constexpr const char* kTwoCards = " валет червы дама червы";

struct DrawCase {
    const char* name;
    Command button; // Command1 or Command3
    int pointsBefore;
    std::string card;
    int pointsAfter;
    Log expected;
};

Log scolding(Phase noMoreCards) {
    return {cue("sv.wav"), okBox(kTooMany), phase(noMoreCards)};
}

std::string appended(const std::string& card) {
    return hand(std::string(kTwoCards) + card);
}

// Command1 appends the card after the scolding, Command3 before it, and they move the focus
// at different moments.
class PlayerDraws : public testing::TestWithParam<DrawCase> {};

TEST_P(PlayerDraws, TakeTheNextCardAndScoldOnlyPastForty) {
    const DrawCase& c = GetParam();
    Table t;
    const bool playerFirst = c.button == Command::Command1;
    t.enterPhase(playerFirst ? Phase::PlayerFirstDeal : Phase::ComputerFirstDeal);
    t.stackDeck(3, {c.card});
    t.state.dealtCount = 2;
    t.state.playerPoints = static_cast<std::uint8_t>(c.pointsBefore);
    t.world.hand = kTwoCards;

    t.game.run(c.button);

    EXPECT_EQ(t.world.log, c.expected);
    EXPECT_EQ(t.state.dealtCount, 3);
    EXPECT_EQ(t.state.playerPoints, c.pointsAfter);
    EXPECT_EQ(t.world.hand, kTwoCards + c.card);
    const bool scolded = c.pointsAfter > 40;
    EXPECT_EQ(t.state.answer, scolded ? std::optional<int>(1) : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlayerDraws,
    testing::Values(
        DrawCase{"Command1ToExactlyForty", Command::Command1, 30, " десять пики", 40,
                 Log{cue("deal.wav"), kFocus, appended(" десять пики")}},
        DrawCase{"Command1ToFortyOneScoldsBeforeShowingTheCard", Command::Command1, 30, " туз пики",
                 41,
                 join({{cue("deal.wav")},
                       scolding(Phase::PlayerFirstDealNoMoreCards),
                       {kFocus, appended(" туз пики")}})},
        DrawCase{"Command1PastTwentyOneGoesUnremarked", Command::Command1, 21, " десять пики", 31,
                 Log{cue("deal.wav"), kFocus, appended(" десять пики")}},
        DrawCase{"Command3ToExactlyForty", Command::Command3, 30, " десять пики", 40,
                 Log{cue("deal.wav"), kFocus, appended(" десять пики")}},
        DrawCase{"Command3ToFortyOneShowsTheCardThenScolds", Command::Command3, 30, " туз пики", 41,
                 join({{cue("deal.wav"), kFocus, appended(" туз пики")},
                       scolding(Phase::ComputerFirstDealNoMoreCards)})},
        DrawCase{"Command3PastTwentyOneGoesUnremarked", Command::Command3, 20, " король бубны", 24,
                 Log{cue("deal.wav"), kFocus, appended(" король бубны")}}),
    byName);

TEST(PlayerDraws, TwelveLowestCardsKeepTheButtonAndTheThirteenthPassesForty) {
    Table t;
    t.enterPhase(Phase::PlayerFirstDeal);
    std::vector<std::string> lowest;
    for (const char* rank : {" валет", " дама", " король"}) {
        for (const char* suit : {" червы", " бубны", " треф", " пики"}) {
            lowest.push_back(std::string(rank) + suit);
        }
    }
    lowest.push_back(" шесть червы");
    t.stackDeck(1, lowest);
    t.state.dealtCount = 2;
    t.state.playerPoints = 4; // the two jacks already held
    for (int draw = 0; draw < 10; ++draw) {
        t.game.run(Command::Command1);
    }
    EXPECT_EQ(t.state.playerPoints, 36);
    EXPECT_EQ(t.world.phase, Phase::PlayerFirstDeal);
    t.world.takeLog();
    t.game.run(Command::Command1);
    EXPECT_EQ(t.state.playerPoints, 42);
    EXPECT_EQ(t.world.phase, Phase::PlayerFirstDealNoMoreCards);
    EXPECT_EQ(t.world.log.at(1), cue("sv.wav"));
}

// The deck has no 37th card: a click then changes nothing at all; the 36th can still be drawn.
TEST(PlayerDraws, TheLastCardCanBeDrawnAndNothingPastIt) {
    for (const Command button : {Command::Command1, Command::Command3}) {
        Table t;
        t.enterPhase(button == Command::Command1 ? Phase::PlayerFirstDeal
                                                 : Phase::ComputerFirstDeal);
        t.stackDeck(1, {});
        t.state.dealtCount = 35;
        t.state.playerPoints = 5;
        t.game.run(button);
        EXPECT_EQ(t.state.playerPoints, 15); // " десять пики"
        EXPECT_EQ(t.world.hand, " десять пики");
        t.world.takeLog();
        t.game.run(button);
        EXPECT_TRUE(t.world.log.empty()) << static_cast<int>(button);
        EXPECT_EQ(t.state.dealtCount, 36);
        EXPECT_EQ(t.state.playerPoints, 15);
        EXPECT_EQ(t.world.hand, " десять пики");
    }
}

// A name that stands in no cell of the grid adds nothing to the total.
TEST(PlayerDraws, ANamelessCardAddsNothing) {
    for (const Command button : {Command::Command1, Command::Command3}) {
        Table t;
        t.stackDeck(1, {});
        t.state.deck[2] = "туз пики"; // no leading blank
        t.state.dealtCount = 2;
        t.state.playerPoints = 17;
        t.game.run(button);
        EXPECT_EQ(t.state.playerPoints, 17);
        EXPECT_EQ(t.state.dealtCount, 3);
    }
}

} // namespace
