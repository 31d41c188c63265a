// SPDX-License-Identifier: MIT
// Frequencies of the game's random draws over a fixed seed. Labelled "statistical" in CTest.
#include "game/cards.h"
#include "game/random_source.h"
#include "game/shuffle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace {

constexpr int kDraws = 1'000'000;

double share(int count) {
    return static_cast<double>(count) / kDraws;
}

TEST(StatisticalDraws, DeckPositionsOneAndThirtySixComeHalfAsOften) {
    game::SystemRandom random(11);
    std::array<int, 37> counts{};
    for (int i = 0; i < kDraws; ++i) {
        const int position = game::drawDeckPosition(random);
        ASSERT_GE(position, 1);
        ASSERT_LE(position, 36);
        ++counts[static_cast<std::size_t>(position)];
    }
    EXPECT_NEAR(share(counts[1]), 1.0 / 70, 0.002);
    EXPECT_NEAR(share(counts[36]), 1.0 / 70, 0.002);
    for (int position = 2; position <= 35; ++position) {
        EXPECT_NEAR(share(counts[static_cast<std::size_t>(position)]), 1.0 / 35, 0.003) << position;
    }
}

TEST(StatisticalDraws, BetsComeAboutOneSixthOneThirdOneThirdOneSixth) {
    game::SystemRandom random(12);
    std::array<int, 5> counts{};
    for (int i = 0; i < kDraws; ++i) {
        const int index = game::drawBetIndex(random);
        ASSERT_GE(index, 1);
        ASSERT_LE(index, 4);
        ++counts[static_cast<std::size_t>(index)];
    }
    EXPECT_NEAR(share(counts[1]), 1.0 / 6, 0.01);
    EXPECT_NEAR(share(counts[2]), 1.0 / 3, 0.01);
    EXPECT_NEAR(share(counts[3]), 1.0 / 3, 0.01);
    EXPECT_NEAR(share(counts[4]), 1.0 / 6, 0.01);
}

TEST(StatisticalDraws, EachChanceEventOneInTenTheSaleThreeInForty) {
    game::SystemRandom random(13);
    int expense = 0;
    int fine = 0;
    int stash = 0;
    int sale = 0;
    for (int i = 0; i < kDraws; ++i) {
        const int roll = game::drawEventRoll(random);
        ASSERT_GE(roll, 0);
        ASSERT_LE(roll, 20);
        expense += roll == 3 || roll == 6 ? 1 : 0;
        fine += roll == 12 || roll == 18 ? 1 : 0;
        stash += roll == 5 || roll == 10 ? 1 : 0;
        sale += roll == 15 || roll == 20 ? 1 : 0;
    }
    EXPECT_NEAR(share(expense), 0.1, 0.005);
    EXPECT_NEAR(share(fine), 0.1, 0.005);
    EXPECT_NEAR(share(stash), 0.1, 0.005);
    EXPECT_NEAR(share(sale), 3.0 / 40, 0.005);
}

// Drawn less often, the two end cards of the fixed order land later in the shuffled deck.
TEST(StatisticalDraws, TheEndCardsOfTheFixedOrderLandLaterOnAverage) {
    game::SystemRandom random(14);
    const game::CardNames order = game::makeDeckOrder();
    constexpr int kShuffles = 20'000;
    std::array<double, 36> positionSum{};
    for (int i = 0; i < kShuffles; ++i) {
        game::Marks marks{};
        game::CardNames deck;
        game::shuffleInto(order, marks, deck, random);
        for (std::size_t p = 0; p < deck.size(); ++p) {
            const auto at = std::find(order.begin(), order.end(), deck[p]);
            positionSum[static_cast<std::size_t>(at - order.begin())] += static_cast<double>(p + 1);
        }
    }
    double middle = 0;
    for (std::size_t card = 1; card <= 34; ++card) {
        middle += positionSum[card] / kShuffles;
    }
    middle /= 34;
    EXPECT_GT(positionSum[0] / kShuffles, middle + 3);
    EXPECT_GT(positionSum[35] / kShuffles, middle + 3);
}

} // namespace
