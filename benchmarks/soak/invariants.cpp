// SPDX-License-Identifier: MIT
#include "benchmarks/soak/invariants.h"

#include "deck.h"
#include "game/cards.h"
#include "game/money.h"

namespace soak {
namespace {

using game::Control;
using game::Phase;

const std::string& captionOf(const SoakWorld& world, Control label) {
    static const std::string none;
    const auto found = world.captions.find(label);
    return found == world.captions.end() ? none : found->second;
}

bool isDeal(Phase phase) {
    return phase != Phase::BettingClosed && phase != Phase::ChoosingBet;
}

bool isPlayerFirst(Phase phase) {
    return phase == Phase::PlayerFirstDeal || phase == Phase::PlayerFirstDealNoMoreCards;
}

int valueAt(const game::TableState& table, int position) {
    return game::cardValue(table.cardGrid, table.deck.at(static_cast<std::size_t>(position - 1)))
        .value_or(-1000);
}

// The computer's hand in a computer-first deal: two cards, then more while below 16, up to seven.
int computerCards(const game::TableState& table, int& total) {
    total = valueAt(table, 1) + valueAt(table, 2);
    int cards = 2;
    while (total < 16 && cards < 7) {
        ++cards;
        total += valueAt(table, cards);
    }
    return cards;
}

// The player's hand lies at positions first to dealtCount: its text and its total.
std::string checkPlayersHand(const game::TableState& table, const SoakWorld& world, int first) {
    if (table.dealtCount < first + 1 || table.dealtCount > game::kDeckSize) {
        return "dealtCount " + std::to_string(table.dealtCount) + " leaves the player no hand";
    }
    std::string text;
    int total = 0;
    for (int position = first; position <= table.dealtCount; ++position) {
        text += table.deck.at(static_cast<std::size_t>(position - 1));
        total += valueAt(table, position);
    }
    if (world.hand != text) {
        return "the hand shows \"" + world.hand + "\" but the player holds \"" + text + "\"";
    }
    if (table.playerPoints != total) {
        return "playerPoints " + std::to_string(table.playerPoints) + ", the cards make " +
               std::to_string(total);
    }
    return {};
}

std::string checkHands(const game::TableState& table, const SoakWorld& world, Phase phase) {
    Control more = Control::Command1;
    std::string broken;
    if (isPlayerFirst(phase)) {
        broken = checkPlayersHand(table, world, 1);
    } else {
        more = Control::Command3;
        int total = 0;
        const int cards = computerCards(table, total);
        if (table.computerPoints != total) {
            return "computerPoints " + std::to_string(table.computerPoints) +
                   ", the computer's cards make " + std::to_string(total);
        }
        broken = checkPlayersHand(table, world, cards + 1);
    }
    if (broken.empty() && world.isShown(more) != (table.playerPoints <= 40)) {
        broken = "\"Еще\" is " + std::string(world.isShown(more) ? "offered" : "withheld") +
                 " at " + std::to_string(table.playerPoints) + " points";
    }
    return broken;
}

std::string checkMoney(const game::TableState& table, const SoakWorld& world, Phase phase,
                       std::int64_t wealthBefore, const MoneyEvents& events) {
    for (const std::int32_t amount : {table.playerMoney, table.computerMoney, table.stake}) {
        if (amount % 25 != 0) {
            return "an amount of " + std::to_string(amount) + " is not a multiple of 25";
        }
    }
    if (captionOf(world, Control::Label4) != game::moneyCaption(table.playerMoney) ||
        captionOf(world, Control::Label6) != game::moneyCaption(table.computerMoney)) {
        return "the money captions \"" + captionOf(world, Control::Label4) + "\" and \"" +
               captionOf(world, Control::Label6) + "\" differ from " +
               std::to_string(table.playerMoney) + " and " + std::to_string(table.computerMoney);
    }
    if (isDeal(phase)) {
        if (table.stake <= 0 || table.stake % 50 != 0) {
            return "a deal is played for a stake of " + std::to_string(table.stake);
        }
        if (captionOf(world, Control::Label8) != game::moneyCaption(table.stake)) {
            return "the stake caption \"" + captionOf(world, Control::Label8) +
                   "\" during a deal for " + std::to_string(table.stake);
        }
    }
    if (events.newMatch || events.bankRefill) {
        const bool reset = phase == Phase::BettingClosed && table.computerMoney == 1000 &&
                           (!events.newMatch || table.playerMoney == 1000);
        return reset ? std::string{} : "a new match or a refill left the table unsettled";
    }
    const std::int64_t change = wealth(table, world) - wealthBefore;
    if (change != events.chanceDelta) {
        return "the money on the table changed by " + std::to_string(change) +
               ", the chance events account for " + std::to_string(events.chanceDelta);
    }
    return {};
}

} // namespace

std::int64_t wealth(const game::TableState& table, const SoakWorld& world) {
    const std::int64_t purses = std::int64_t{table.playerMoney} + table.computerMoney;
    return isDeal(world.phase) ? purses + table.stake : purses;
}

std::string checkAfterClick(const game::TableState& table, const SoakWorld& world,
                            std::int64_t wealthBefore, const MoneyEvents& events) {
    const Phase phase = world.phase;
    if (captionOf(world, Control::Label3) != table.playerName) {
        return "the name caption lost the player's name";
    }
    if (!table.deck.front().empty() && !kit::isPermutationOfTheDeck(table.deck)) {
        return "the deck is not a permutation of the 36 cards";
    }
    if (std::string broken = checkMoney(table, world, phase, wealthBefore, events);
        !broken.empty()) {
        return broken;
    }
    return isDeal(phase) ? checkHands(table, world, phase) : std::string{};
}

} // namespace soak
