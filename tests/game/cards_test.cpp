// SPDX-License-Identifier: MIT
#include "game/cards.h"
#include "game/money.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using game::cardValue;

TEST(CardTables, DeckOrderRunsByRankThenSuit) {
    const game::CardNames order = game::makeDeckOrder();
    EXPECT_EQ(order[0], " валет червы");
    EXPECT_EQ(order[3], " валет пики");
    EXPECT_EQ(order[12], " туз червы");
    EXPECT_EQ(order[15], " туз пики");
    EXPECT_EQ(order[16], " шесть червы");
    EXPECT_EQ(order[35], " десять пики");
    EXPECT_EQ(std::set<std::string>(order.begin(), order.end()).size(), 36U);
}

TEST(CardTables, GridHoldsEachCardAtItsValueAndLeavesFiveEmpty) {
    const game::CardGrid grid = game::makeCardGrid();
    EXPECT_EQ(grid[11 - 2][3], " туз пики");
    EXPECT_EQ(grid[2 - 2][0], " валет червы");
    for (const std::string& cell : grid[5 - 2]) {
        EXPECT_TRUE(cell.empty());
    }
    EXPECT_EQ(game::makeBetValues(), (game::BetValues{25, 50, 100, 200}));
}

// Every card of the fixed deck, which holds 36 different names (above), is valued by its rank.
TEST(CardValue, EveryCardOfTheDeckHasItsRankValue) {
    const game::CardGrid grid = game::makeCardGrid();
    const std::map<std::string, int> values{{"валет", 2},  {"дама", 3},    {"король", 4},
                                            {"шесть", 6},  {"семь", 7},    {"восемь", 8},
                                            {"девять", 9}, {"десять", 10}, {"туз", 11}};
    for (const std::string& name : game::makeDeckOrder()) {
        const std::string rank = name.substr(1, name.find(' ', 1) - 1);
        EXPECT_EQ(cardValue(grid, name), values.at(rank)) << name;
    }
}

TEST(CardValue, ANameInNoCellHasNoValue) {
    const game::CardGrid grid = game::makeCardGrid();
    EXPECT_EQ(cardValue(grid, "туз пики"), std::nullopt);   // no leading blank
    EXPECT_EQ(cardValue(grid, " Туз пики"), std::nullopt);  // capital letter
    EXPECT_EQ(cardValue(grid, " туз пики "), std::nullopt); // trailing blank
    EXPECT_EQ(cardValue(grid, ""), std::nullopt);           // the empty cells of value 5
    EXPECT_EQ(cardValue(grid, " пять пики"), std::nullopt);
}

// The window draws the hand from these: each name of the text, in order, by its row and column.
TEST(CardsOfHand, EachNameInTheTextIsOneCardInItsOrder) {
    using game::Card;
    using game::Rank;
    using game::Suit;
    const game::CardGrid grid = game::makeCardGrid();
    EXPECT_EQ(game::cardsOfHand(grid, " десять червы шесть пики валет бубны туз треф дама пики"),
              (std::vector<Card>{{Rank::Ten, Suit::Hearts},
                                 {Rank::Six, Suit::Spades},
                                 {Rank::Jack, Suit::Diamonds},
                                 {Rank::Ace, Suit::Clubs},
                                 {Rank::Queen, Suit::Spades}}));
    EXPECT_EQ(game::cardsOfHand(grid, " король бубны пять пики семь трефы девять треф"),
              (std::vector<Card>{{Rank::King, Suit::Diamonds}, {Rank::Nine, Suit::Clubs}}));
    EXPECT_TRUE(game::cardsOfHand(grid, "").empty());

    std::string wholeDeck;
    for (const std::string& name : game::makeDeckOrder()) {
        wholeDeck += name;
    }
    const std::vector<Card> cards = game::cardsOfHand(grid, wholeDeck);
    ASSERT_EQ(cards.size(), 36U);
    EXPECT_EQ(cards.front(), (Card{Rank::Jack, Suit::Hearts}));
    EXPECT_EQ(cards.back(), (Card{Rank::Ten, Suit::Spades}));
    std::set<std::pair<Rank, Suit>> distinct;
    for (const Card card : cards) {
        distinct.emplace(card.rank, card.suit);
    }
    EXPECT_EQ(distinct.size(), 36U);
}

TEST(MoneyCaption, BlankBeforeNonNegativeMinusBeforeNegative) {
    EXPECT_EQ(game::moneyCaption(1000), " 1000");
    EXPECT_EQ(game::moneyCaption(0), " 0");
    EXPECT_EQ(game::moneyCaption(-25), "-25");
    EXPECT_EQ(game::moneyCaption(2147483647), " 2147483647");
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(game::roundHalfEven(0.5), 0);
    EXPECT_EQ(game::roundHalfEven(1.5), 2);
    EXPECT_EQ(game::roundHalfEven(2.5), 2);
    EXPECT_EQ(game::roundHalfEven(35.5), 36);
    EXPECT_EQ(game::roundHalfEven(-0.5), 0);
    EXPECT_EQ(game::roundHalfEven(-1.5), -2);
    EXPECT_EQ(game::roundHalfEven(1.4999), 1);
    EXPECT_EQ(game::roundHalfEven(1.5001), 2);
    EXPECT_EQ(game::halfOf(100), 50);
    EXPECT_EQ(game::halfOf(-50), -25);
}

} // namespace
