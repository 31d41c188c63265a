// SPDX-License-Identifier: MIT
#include "deck.h"
#include "game/shuffle.h"
#include "rules_log.h"
#include "table.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace kit;

bool allSet(const game::Marks& marks) {
    return std::all_of(marks.begin(), marks.end(), [](bool mark) { return mark; });
}

TEST(PlayerFirstOpening, FocusesCuesTwiceAsyncShufflesAndDealsTheFirstTwoCards) {
    Table t;
    t.world.hand = " король пики";
    t.state.computerPoints = 19;
    t.state.dealtCount = 7;
    t.world.stackShuffle({" туз пики", " семь червы", " десять бубны"});
    t.game.inicial();

    EXPECT_EQ(t.world.log, (Log{kFocus, asyncCue("deal.wav"), asyncCue("deal.wav"),
                                hand(" туз пики семь червы")}));
    EXPECT_EQ(t.world.hand, " туз пики семь червы"); // replaced, not extended
    EXPECT_EQ(t.state.playerPoints, 18);
    EXPECT_EQ(t.state.dealtCount, 2);
    EXPECT_EQ(t.state.computerPoints, 19); // the computer's total waits for its turn
    EXPECT_EQ(t.state.deck[2], " десять бубны");
    EXPECT_TRUE(isPermutationOfTheDeck(t.state.deck));
    EXPECT_TRUE(allSet(t.state.drawnMarks));
    EXPECT_EQ(t.world.reseeds, 1);
    EXPECT_TRUE(t.world.fractions.empty());
}

TEST(PlayerFirstOpening, TwoAcesMakeTwentyTwoAndNothingIsSaid) {
    Table t;
    t.world.stackShuffle({" туз пики", " туз бубны"});
    t.game.inicial();
    EXPECT_EQ(t.state.playerPoints, 22);
    EXPECT_EQ(t.world.log.size(), 4U);
}

TEST(PlayerFirstOpening, ClearsTheMarksOfTheLastShuffleFirst) {
    Table t;
    t.state.drawnMarks.fill(true); // a stale shuffle would never end
    t.world.stackShuffle({});
    t.game.inicial();
    EXPECT_EQ(t.state.deck, game::makeDeckOrder());
}

TEST(Shuffle, DrawsAgainWhileThePositionIsTaken) {
    RecordingWorld random;
    // The second card draws position 1, taken, then 36; the rest come in the fixed order.
    std::vector<int> positions{1, 1, 36};
    for (int position = 2; position <= 35; ++position) {
        positions.push_back(position);
    }
    for (int position : positions) {
        random.fractions.push_back(fractionFor(position, 35, 1));
    }
    game::Marks marks{};
    game::CardNames deck;
    game::shuffleInto(game::makeDeckOrder(), marks, deck, random);
    EXPECT_EQ(deck[0], " валет червы");
    EXPECT_EQ(deck[1], " десять пики");
    EXPECT_EQ(deck[2], " валет бубны");
    EXPECT_EQ(deck[35], " десять треф");
    EXPECT_TRUE(isPermutationOfTheDeck(deck));
    EXPECT_TRUE(allSet(marks));
    EXPECT_TRUE(random.fractions.empty());
}

// The scaled draws round an exact half to the even neighbour.
TEST(RandomDraws, ScaleRoundHalfToEvenAndStayInRange) {
    struct Case {
        double fraction;
        int position, roll, betIndex;
    };
    const std::vector<Case> cases{
        {0.0, 1, 0, 1},         {0.125, 5, 2, 1}, // 5.375, 2.5 -> 2, 1.375
        {0.375, 14, 8, 2},                        // 14.125, 7.5 -> 8, 2.125
        {0.5, 18, 10, 2},                         // 18.5 -> 18, 10, 2.5 -> 2
        {0.625, 23, 12, 3},                       // 22.875, 12.5 -> 12, 2.875
        {0.9999999, 36, 20, 4},                   // the top of the range
    };
    for (const Case& c : cases) {
        RecordingWorld random;
        random.fractions = {c.fraction, c.fraction, c.fraction};
        EXPECT_EQ(game::drawDeckPosition(random), c.position) << c.fraction;
        EXPECT_EQ(game::drawEventRoll(random), c.roll) << c.fraction;
        EXPECT_EQ(game::drawBetIndex(random), c.betIndex) << c.fraction;
    }
}

// A golden master: this seed must always give this deck, through the game's own random source
// and shuffle.
TEST(Shuffle, GoldenMasterOfOneSeed) {
    const game::CardNames expected{
        " дама червы",   " дама треф",   " девять бубны", " валет пики",   " восемь треф",
        " туз пики",     " шесть треф",  " девять треф",  " десять треф",  " семь пики",
        " семь бубны",   " восемь пики", " туз червы",    " король червы", " восемь червы",
        " король бубны", " девять пики", " валет бубны",  " туз бубны",    " король треф",
        " шесть пики",   " десять пики", " десять бубны", " десять червы", " дама пики",
        " король пики",  " семь треф",   " валет червы",  " дама бубны",   " восемь бубны",
        " девять червы", " туз треф",    " валет треф",   " шесть бубны",  " семь червы",
        " шесть червы"};
    Table t;
    game::SystemRandom random(20240601);
    game::Game game(t.world, t.world, random, t.world, t.state);
    game.inicial();
    EXPECT_EQ(t.state.deck, expected);
    EXPECT_EQ(t.world.hand, expected[0] + expected[1]);

    game::SystemRandom same(20240601);
    game::Marks marks{};
    game::CardNames deck;
    game::shuffleInto(game::makeDeckOrder(), marks, deck, same);
    EXPECT_EQ(deck, expected);
}

// inicial1 with no chance event: the computer's cards, then the player's, then the stake.
using Cards = std::vector<std::string>;

struct ComputerHandCase {
    const char* name;
    Cards cards; // the computer's hand, then the player's two cards
    int extraCues;
    int computerPoints;
    std::string playerHand;
    int playerPoints;
    int dealtCount;
};

class ComputerFirstOpeningHand : public testing::TestWithParam<ComputerHandCase> {};

TEST_P(ComputerFirstOpeningHand, ComputerDrawsBelowSixteenThenThePlayerGetsTwoCards) {
    const ComputerHandCase& c = GetParam();
    Table t;
    t.setMoney(300, 300, 100);
    t.state.deck.fill(" old");
    t.world.scriptEventRoll(1); // no gain
    t.world.stackShuffle(c.cards);
    t.game.inicial1();

    Log expected{cue("win.wav"), cue("deal.wav"), cue("deal.wav")};
    for (int i = 0; i < c.extraCues; ++i) {
        expected.push_back(cue("deal.wav"));
    }
    expected.push_back(hand(c.playerHand));
    expected.push_back(okBox("На кону 100Мне хватит. Бери себе"));
    EXPECT_EQ(t.world.log, expected);
    EXPECT_EQ(t.state.computerPoints, c.computerPoints);
    EXPECT_EQ(t.state.playerPoints, c.playerPoints);
    EXPECT_EQ(t.state.dealtCount, c.dealtCount);
    EXPECT_EQ(t.state.playerMoney, 300);
    EXPECT_EQ(t.world.reseeds, 2);
    EXPECT_TRUE(t.world.fractions.empty());
    EXPECT_TRUE(isPermutationOfTheDeck(t.state.deck));
    EXPECT_TRUE(allSet(t.state.drawnMarks2));
    EXPECT_FALSE(t.state.answer.has_value()); // the stake box's result is not kept
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ComputerFirstOpeningHand,
    testing::Values(
        ComputerHandCase{
            "FifteenDrawsOnceAndGoesBust",
            Cards{" девять червы", " шесть червы", " туз червы", " десять червы", " семь червы"}, 1,
            26, " десять червы семь червы", 17, 5},
        ComputerHandCase{"SixteenStands",
                         Cards{" десять червы", " шесть червы", " туз пики", " семь червы"}, 0, 16,
                         " туз пики семь червы", 18, 4},
        ComputerHandCase{"TwoAcesStandOnTwentyTwo",
                         Cards{" туз червы", " туз бубны", " валет червы", " дама червы"}, 0, 22,
                         " валет червы дама червы", 5, 4},
        ComputerHandCase{"SevenLowCardsAtMost",
                         Cards{" валет червы", " валет бубны", " валет треф", " валет пики",
                               " дама червы", " дама бубны", " дама треф", " туз пики",
                               " туз червы"},
                         5, 17, " туз пики туз червы", 22, 9}),
    byName);

// The chance events, one group per row of their table.
struct ChanceCase {
    const char* name;
    int playerMoney;
    std::vector<int> rolls; // the rolls the opening is expected to draw, in order
    Log events;
    int moneyAfter;
};

class ChanceEvents : public testing::TestWithParam<ChanceCase> {};

TEST_P(ChanceEvents, RollOnlyWhereAllowedAndMoveMoneyAsAnnounced) {
    const ChanceCase& c = GetParam();
    Table t;
    t.setMoney(c.playerMoney, 700, 50);
    for (int roll : c.rolls) {
        t.world.scriptEventRoll(roll);
    }
    // If a roll were drawn that the case does not expect, it would eat the first shuffle
    // fraction and the hand below would come out differently.
    t.world.stackShuffle({" десять червы", " шесть червы", " туз пики", " семь червы"});
    t.game.inicial1();

    const Log expected =
        join({c.events,
              {cue("win.wav"), cue("deal.wav"), cue("deal.wav"), hand(" туз пики семь червы"),
               okBox("На кону 50Мне хватит. Бери себе")}});
    EXPECT_EQ(t.world.log, expected);
    EXPECT_EQ(t.state.playerMoney, c.moneyAfter);
    EXPECT_EQ(t.state.computerMoney, 700);
    EXPECT_TRUE(t.world.fractions.empty());
    if (!c.rolls.empty()) {
        EXPECT_EQ(t.state.eventRoll, c.rolls.back());
    }
}

Log event(const char* cue, std::string_view text, int after) {
    return {kit::cue(cue), okBox(text), money("Label4", after)};
}
Log expense(int after) {
    return event("4.wav", kExpense, after);
}
Log fine(int after) {
    return event("4.wav", kFine, after);
}
Log stash(int after) {
    return event("yes.wav", kStash, after);
}
Log sale(int after) {
    return event("yes.wav", kSale, after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChanceEvents,
    testing::Values(ChanceCase{"At400NoLossIsRolled", 400, {3}, {}, 400},
                    ChanceCase{"At401ALossIsRolled", 401, {3, 1}, expense(301), 301},
                    ChanceCase{"ExpenseOnSix", 1000, {6, 0}, expense(900), 900},
                    ChanceCase{"FineOnTwelve", 1000, {12, 1}, fine(800), 800},
                    ChanceCase{"FineOnEighteen", 1000, {18, 1}, fine(800), 800},
                    ChanceCase{"NoLossOnOtherRolls", 1000, {7, 11}, {}, 1000},
                    ChanceCase{"NoLossOnZeroOrTwenty", 1000, {0, 1}, {}, 1000},
                    ChanceCase{"StashOnFive", 300, {5}, stash(600), 600},
                    ChanceCase{"StashOnTen", 300, {10}, stash(600), 600},
                    ChanceCase{"SaleOnFifteen", 300, {15}, sale(700), 700},
                    ChanceCase{"SaleOnTwenty", 300, {20}, sale(700), 700},
                    ChanceCase{"NoGainOnZero", 300, {0}, {}, 300},
                    ChanceCase{"GainStillRolledAtTwentyFive", 25, {10}, stash(325), 325},
                    ChanceCase{"AtZeroNothingIsRolled", 0, {}, {}, 0},
                    ChanceCase{"ExpenseThenStashEachFromItsOwnRoll",
                               1000,
                               {3, 5},
                               join({expense(900), stash(1200)}),
                               1200},
                    ChanceCase{"FineThenSale", 500, {18, 20}, join({fine(300), sale(700)}), 700}),
    byName);

} // namespace
