// SPDX-License-Identifier: MIT
// Frequencies of the game's random draws over a fixed seed. Labelled "statistical" in CTest.
#include "game/cards.h"
#include "game/random_source.h"
#include "game/shuffle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace {

constexpr int kDraws = 1'000'000;

// How often each value from 0 to highest came out of a million draws; a value outside that
// range fails the test.
std::vector<double> shares(std::uint64_t seed, int (*draw)(game::RandomSource&), int highest) {
    game::SystemRandom random(seed);
    std::vector<double> shares(static_cast<std::size_t>(highest) + 1);
    int outside = 0;
    for (int i = 0; i < kDraws; ++i) {
        const int value = draw(random);
        if (value < 0 || value > highest) {
            ++outside;
        } else {
            shares[static_cast<std::size_t>(value)] += 1.0 / kDraws;
        }
    }
    EXPECT_EQ(outside, 0);
    return shares;
}

TEST(StatisticalDraws, DeckPositionsOneAndThirtySixComeHalfAsOften) {
    const std::vector<double> share = shares(11, game::drawDeckPosition, 36);
    EXPECT_EQ(share[0], 0.0);
    EXPECT_NEAR(share[1], 1.0 / 70, 0.002);
    EXPECT_NEAR(share[36], 1.0 / 70, 0.002);
    for (std::size_t position = 2; position <= 35; ++position) {
        EXPECT_NEAR(share[position], 1.0 / 35, 0.003) << position;
    }
}

TEST(StatisticalDraws, BetsComeAboutOneSixthOneThirdOneThirdOneSixth) {
    const std::vector<double> share = shares(12, game::drawBetIndex, 4);
    EXPECT_EQ(share[0], 0.0);
    EXPECT_NEAR(share[1], 1.0 / 6, 0.01);
    EXPECT_NEAR(share[2], 1.0 / 3, 0.01);
    EXPECT_NEAR(share[3], 1.0 / 3, 0.01);
    EXPECT_NEAR(share[4], 1.0 / 6, 0.01);
}

TEST(StatisticalDraws, EachChanceEventOneInTenTheSaleThreeInForty) {
    const std::vector<double> share = shares(13, game::drawEventRoll, 20);
    EXPECT_NEAR(share[3] + share[6], 0.1, 0.005);   // the expense
    EXPECT_NEAR(share[12] + share[18], 0.1, 0.005); // the fine
    EXPECT_NEAR(share[5] + share[10], 0.1, 0.005);  // the stash
    EXPECT_NEAR(share[15] + share[20], 3.0 / 40, 0.005);
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
