// SPDX-License-Identifier: MIT
#include "deck.h"

#include <algorithm>
#include <bitset>
#include <cmath>
#include <stdexcept>
#include <string_view>
#include <unordered_map>

namespace kit {
namespace {

const game::CardNames& fixedOrder() {
    static const game::CardNames order = game::makeDeckOrder();
    return order;
}

int positionInOrder(const std::string& name) {
    const auto at = std::find(fixedOrder().begin(), fixedOrder().end(), name);
    if (at == fixedOrder().end()) {
        throw std::invalid_argument("no card named \"" + name + "\"");
    }
    return static_cast<int>(at - fixedOrder().begin()) + 1;
}

// The cards given first, then the rest of the fixed order.
std::vector<std::string> givenThenTheRest(const std::vector<std::string>& given) {
    std::vector<std::string> cards = given;
    for (const std::string& name : fixedOrder()) {
        if (std::find(given.begin(), given.end(), name) == given.end()) {
            cards.push_back(name);
        }
    }
    return cards;
}

} // namespace

double fractionFor(int wanted, double scale, double offset) {
    return std::min((wanted - offset) / scale, std::nextafter(1.0, 0.0));
}

std::vector<double> shuffleFractions(const std::vector<std::string>& firstCards) {
    std::vector<double> fractions;
    for (const std::string& name : givenThenTheRest(firstCards)) {
        fractions.push_back(fractionFor(positionInOrder(name), 35.0, 1.0));
    }
    return fractions;
}

void stackDeck(game::TableState& table, int from, const std::vector<std::string>& cards) {
    const std::vector<std::string> all = givenThenTheRest(cards);
    const auto given = static_cast<int>(cards.size());
    auto rest = all.begin() + given;
    for (int position = 1; position <= game::kDeckSize; ++position) {
        const int index = position - from;
        table.deck[static_cast<std::size_t>(position - 1)] =
            index >= 0 && index < given ? cards[static_cast<std::size_t>(index)] : *rest++;
    }
}

bool isPermutationOfTheDeck(const game::CardNames& deck) {
    static const std::unordered_map<std::string_view, std::size_t> positions = [] {
        std::unordered_map<std::string_view, std::size_t> map;
        for (std::size_t i = 0; i < fixedOrder().size(); ++i) {
            map.emplace(fixedOrder()[i], i);
        }
        return map;
    }();
    std::bitset<game::kDeckSize> seen;
    for (const std::string& card : deck) {
        const auto found = positions.find(card);
        if (found == positions.end() || seen.test(found->second)) {
            return false;
        }
        seen.set(found->second);
    }
    return true;
}

} // namespace kit
