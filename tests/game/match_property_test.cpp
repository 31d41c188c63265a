// SPDX-License-Identifier: MIT
#include "table_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

namespace {

using game::Control;
using test::Phase;

// Answers every Yes/No question at random, mostly Yes so that matches run on.
class RandomAnswers : public test::FakeWorld {
public:
    explicit RandomAnswers(std::mt19937_64& coin) : coin_(coin) {}
    int messageBox(std::string_view prompt, game::Buttons buttons,
                   std::string_view title) override {
        if (buttons == game::Buttons::YesNo) {
            yesNoAnswers.push_back(coin_() % 4 == 0 ? game::kResultNo : game::kResultYes);
        }
        return FakeWorld::messageBox(prompt, buttons, title);
    }

private:
    std::mt19937_64& coin_;
};

std::set<Control> visibleSet(const test::FakeWorld& world) {
    std::set<Control> visible;
    for (Control control : test::phaseControls()) {
        const auto found = world.visible.find(control);
        if (found != world.visible.end() && found->second) {
            visible.insert(control);
        }
    }
    return visible;
}

// The phase the visible set belongs to, allowing a deal to have lost its "Еще".
std::optional<Phase> phaseOf(const std::set<Control>& visible) {
    for (Phase phase : {Phase::BettingClosed, Phase::ChoosingBet, Phase::PlayerFirstDeal,
                        Phase::ComputerFirstDeal}) {
        std::set<Control> set = test::phaseSet(phase);
        if (visible == set) {
            return phase;
        }
        if (phase == Phase::PlayerFirstDeal || phase == Phase::ComputerFirstDeal) {
            set.erase(phase == Phase::PlayerFirstDeal ? Control::Command1 : Control::Command3);
            if (visible == set) {
                return phase;
            }
        }
    }
    return std::nullopt;
}

// What is on the table: the stake while a deal is open, nothing from a settlement's payout
// (or a refused bet, or a refill) until the next bet or opening puts a stake there again.
long onTable(Phase phase, const game::TableState& s) {
    return phase == Phase::PlayerFirstDeal || phase == Phase::ComputerFirstDeal ? s.stake : 0;
}

long total(Phase phase, const game::TableState& s) {
    return static_cast<long>(s.playerMoney) + s.computerMoney + onTable(phase, s);
}

bool contains(const test::Log& log, const std::string& entry) {
    return std::find(log.begin(), log.end(), entry) != log.end();
}

// The money a click's chance events moved.
long chanceMoney(const test::Log& log) {
    long moved = 0;
    moved -= contains(log, test::okBox(test::kExpense)) ? 100 : 0;
    moved -= contains(log, test::okBox(test::kFine)) ? 200 : 0;
    moved += contains(log, test::okBox(test::kStash)) ? 300 : 0;
    moved += contains(log, test::okBox(test::kSale)) ? 400 : 0;
    return moved;
}

int handCards(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), ' ')) / 2;
}

void checkHand(const game::TableState& s, const std::string& handText, Phase phase) {
    const game::CardGrid& grid = s.cardGrid;
    const int cards = handCards(handText);
    const int first = s.dealtCount - cards; // the player's cards end at dealtCount
    ASSERT_GE(first, 0);
    std::string expected;
    int points = 0;
    for (int i = first; i < s.dealtCount; ++i) {
        expected += s.deck[static_cast<std::size_t>(i)];
        points += game::cardValue(grid, s.deck[static_cast<std::size_t>(i)]).value_or(0);
    }
    EXPECT_EQ(handText, expected);
    EXPECT_EQ(s.playerPoints, points);
    if (phase == Phase::PlayerFirstDeal) {
        EXPECT_EQ(first, 0);
    } else {
        // The computer's hand lies before the player's: 2 to 7 cards, stopping on 16 or more.
        int computer = 0;
        for (int i = 0; i < first; ++i) {
            computer += game::cardValue(grid, s.deck[static_cast<std::size_t>(i)]).value_or(0);
        }
        EXPECT_EQ(s.computerPoints, computer);
        EXPECT_GE(first, 2);
        EXPECT_LE(first, 7);
        EXPECT_GE(s.computerPoints, 16);
    }
}

bool multipleOf25(long amount) {
    return amount % 25 == 0;
}

TEST(MatchProperty, RandomClickSequencesKeepEveryInvariant) {
    // ZUVIK_PROPERTY_SEQUENCES raises the count for a longer soak; the default stays quick.
    const char* soak = std::getenv("ZUVIK_PROPERTY_SEQUENCES");
    const int kSequences = soak != nullptr ? std::max(1, std::atoi(soak)) : 2000;
    constexpr int kClicks = 30;
    int terminations = 0;
    int refills = 0;
    int newMatches = 0;
    int deals = 0;
    for (int seed = 1; seed <= kSequences; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937_64 chooser(static_cast<std::uint64_t>(seed) * 7919U);
        RandomAnswers world(chooser);
        test::SeededRandom random(static_cast<std::uint64_t>(seed));
        game::Game game(world, world, random);
        game.initTables();
        game.inicial2();
        if (seed % 2 == 1) {
            // Small purses, so that matches end within a sequence and refills happen.
            game.table().playerMoney = 25 * static_cast<int>(1 + chooser() % 16);
            game.table().computerMoney = 25 * static_cast<int>(1 + chooser() % 16);
        }
        world.takeLog();
        bool dealOpened = false;
        for (int click = 0; click < kClicks; ++click) {
            const game::TableState& s = game.table();
            const std::optional<Phase> phaseBefore = phaseOf(visibleSet(world));
            ASSERT_TRUE(phaseBefore.has_value());
            const long totalBefore = total(*phaseBefore, s);

            std::vector<game::Command> offered;
            for (const game::Command command : game::kCommands) {
                if (const auto button = game::buttonOf(command); button && world.visible[*button]) {
                    offered.push_back(command);
                }
            }
            // A new match now and then, not so often that no match gets going.
            const bool newMatch = chooser() % 100 == 0;
            const game::Command action =
                newMatch ? game::Command::NewMatch : offered[chooser() % offered.size()];
            try {
                game.run(action);
            } catch (const game::Termination&) {
                ASSERT_FALSE(world.log.empty());
                EXPECT_EQ(world.log.back(), "terminate");
                EXPECT_EQ(std::count(world.log.begin(), world.log.end(), "terminate"), 1);
                ++terminations;
                break;
            }
            const test::Log log = world.takeLog();
            const std::set<Control> visible = visibleSet(world);
            const std::optional<Phase> phase = phaseOf(visible);
            ASSERT_TRUE(phase.has_value()) << "after action " << static_cast<int>(action);

            dealOpened = dealOpened || *phase == Phase::PlayerFirstDeal ||
                         *phase == Phase::ComputerFirstDeal;
            if (dealOpened) {
                ASSERT_TRUE(test::isPermutationOfTheDeck(s.deck));
            }
            EXPECT_LE(s.dealtCount, 36);
            for (long amount :
                 {static_cast<long>(s.playerMoney), static_cast<long>(s.computerMoney),
                  static_cast<long>(s.stake), static_cast<long>(s.playerMoneyBefore50),
                  static_cast<long>(s.computerMoneyBefore50),
                  static_cast<long>(s.playerMoneyBefore100),
                  static_cast<long>(s.computerMoneyBefore100),
                  static_cast<long>(s.playerMoneyBefore200),
                  static_cast<long>(s.computerMoneyBefore200)}) {
                EXPECT_TRUE(multipleOf25(amount)) << amount;
            }

            const bool refilled = contains(log, test::yesNoBox(test::kGoOn, game::kResultYes));
            const bool newMatchStarted = contains(log, test::cue("kn.wav"));
            refills += refilled ? 1 : 0;
            newMatches += newMatchStarted ? 1 : 0;
            if (!refilled && !newMatchStarted) {
                EXPECT_EQ(total(*phase, s), totalBefore + chanceMoney(log))
                    << "after action " << static_cast<int>(action);
            }
            if (*phase == Phase::PlayerFirstDeal || *phase == Phase::ComputerFirstDeal) {
                ++deals;
                checkHand(s, world.hand, *phase);
                // The "Еще" button goes exactly when the total passes 40.
                const Control more =
                    *phase == Phase::PlayerFirstDeal ? Control::Command1 : Control::Command3;
                EXPECT_EQ(visible.count(more) == 1, s.playerPoints <= 40);
            }
            if (testing::Test::HasFailure()) {
                return; // one broken sequence is enough to read
            }
        }
    }
    // The sequences reached every kind of ending at least once.
    EXPECT_GT(terminations, kSequences / 40);
    EXPECT_GT(refills, kSequences / 40);
    EXPECT_GT(newMatches, kSequences / 40);
    EXPECT_GT(deals, kSequences);
}

} // namespace
