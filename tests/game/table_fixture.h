// SPDX-License-Identifier: MIT
#pragma once

#include "fake_world.h"

#include "game/cards.h"
#include "game/game.h"

#include <algorithm>
#include <initializer_list>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace test {

using Log = std::vector<std::string>;

// The player's texts, kept here apart from the code so that a changed letter fails a test.
inline constexpr std::string_view kTooMany =
    "Ты с головой дружишь? У тебя давно перебор. Мой тебе совет, обратись к врачу";
inline constexpr std::string_view kPlayerBroke =
    "Вы проиграли! У вас нет больше денег. А в долг я не играю.";
inline constexpr std::string_view kNewMatch = "Хотите новую игру?";
inline constexpr std::string_view kComputerBroke =
    "Поздравляю! Вы выграли. У меня нет больше денег";
inline constexpr std::string_view kGoOn =
    "Я снял со счета в банке еще денег. Хотите продолжить игру?";
inline constexpr std::string_view kPlayerShort =
    "Ты что, с дуба рухнул? У тебя ведь нет столько денег.";
inline constexpr std::string_view kComputerShort =
    "Я не могу поставить столько на кон. У меня нет столько денег";
inline constexpr std::string_view kExpense = "Вы решили расслабиться и купили себе косячок за 100";
inline constexpr std::string_view kFine = "Вас застукали за нечестной игрой и оштрафовали на 200";
inline constexpr std::string_view kStash = "Вы нашли за подкладкой пиджака, забытую заначку. в 300";
inline constexpr std::string_view kSale =
    "Вы продали какому то лоху крапленную калоду карт за 400.";

// Entries of the FakeWorld log, spelled out independently of the game's own formatting.
inline std::string cue(std::string_view name) {
    return "cue " + std::string(name) + " sync";
}
inline std::string asyncCue(std::string_view name) {
    return "cue " + std::string(name) + " async";
}
inline std::string okBox(std::string_view prompt) {
    return "box OK \"" + std::string(prompt) + "\"";
}
inline std::string yesNoBox(std::string_view prompt, int answer) {
    return "box YesNo \"" + std::string(prompt) + "\" -> " + std::to_string(answer);
}
inline std::string caption(std::string_view label, std::string_view text) {
    return "caption " + std::string(label) + " \"" + std::string(text) + "\"";
}
inline std::string money(std::string_view label, long amount) {
    return caption(label, (amount < 0 ? "" : " ") + std::to_string(amount));
}
inline std::string hand(std::string_view text) {
    return "text \"" + std::string(text) + "\"";
}
inline std::string show(std::string_view control) {
    return "show " + std::string(control);
}
inline std::string hide(std::string_view control) {
    return "hide " + std::string(control);
}
inline const std::string kFocus = "focus Text1";

inline Log join(std::initializer_list<Log> parts) {
    Log joined;
    for (const Log& part : parts) {
        joined.insert(joined.end(), part.begin(), part.end());
    }
    return joined;
}

inline Log newMatchLog() {
    return {cue("kn.wav"),    money("Label4", 1000), money("Label6", 1000), caption("Label8", ""),
            hide("Text1"),    hide("Command1"),      hide("Command2"),      hide("Command3"),
            hide("Command4"), show("Command5"),      hide("Command6"),      hide("Command7"),
            hide("Command8"), hide("Command9")};
}

// The refill itself, after its question was answered Yes.
inline Log refillLog(long playerAfter) {
    return {money("Label4", playerAfter),
            money("Label6", 1000),
            caption("Label8", ""),
            hide("Text1"),
            hide("Command1"),
            hide("Command2"),
            hide("Command3"),
            hide("Command4"),
            show("Command5"),
            hide("Command6"),
            hide("Command7"),
            hide("Command8"),
            hide("Command9")};
}

inline Log playerOutLog(int answer) {
    return {cue("end.wav"), okBox(kPlayerBroke), yesNoBox(kNewMatch, answer)};
}
inline Log computerOutLog(int answer) {
    return {cue("2.wav"), okBox(kComputerBroke), yesNoBox(kGoOn, answer)};
}
inline Log goodbyeLog() {
    return {cue("bye.wav"), "terminate"};
}

// The player-first opening as the log shows it, for the two cards that come first.
inline Log playerFirstOpeningLog(std::string_view handText) {
    return {kFocus, asyncCue("deal.wav"), asyncCue("deal.wav"), hand(handText)};
}

enum class Phase { BettingClosed, ChoosingBet, PlayerFirstDeal, ComputerFirstDeal };

inline const std::vector<game::Control>& phaseControls() {
    using game::Control;
    static const std::vector<Control> controls{
        Control::Text1,    Control::Command1, Control::Command2, Control::Command3,
        Control::Command4, Control::Command5, Control::Command6, Control::Command7,
        Control::Command8, Control::Command9};
    return controls;
}

inline std::set<game::Control> phaseSet(Phase phase) {
    using game::Control;
    switch (phase) {
    case Phase::BettingClosed:
        return {Control::Command5};
    case Phase::ChoosingBet:
        return {Control::Command6, Control::Command7, Control::Command8, Control::Command9};
    case Phase::PlayerFirstDeal:
        return {Control::Text1, Control::Command1, Control::Command2};
    case Phase::ComputerFirstDeal:
        return {Control::Text1, Control::Command3, Control::Command4};
    }
    return {};
}

// Throws when its script runs out, so that a rule drawing more than a test expects fails at
// once instead of spinning in the shuffle's redraw loop on the fallback fraction.
class StrictRandom : public ScriptedRandom {
public:
    [[nodiscard]] double nextFraction() override {
        if (fractions.empty()) {
            throw std::logic_error("the random script ran out");
        }
        return ScriptedRandom::nextFraction();
    }
};

// One game on a FakeWorld and a scripted random source, with the tables filled, and ways to
// put the table into a position directly, without logging anything.
struct Table {
    FakeWorld world;
    StrictRandom random;
    game::Game game{world, world, random, world.table};

    Table() { game::initTables(world.table); }

    game::TableState& state() { return world.table; }

    void setMoney(int player, int computer, int stake) {
        state().playerMoney = player;
        state().computerMoney = computer;
        state().stake = stake;
    }

    void enterPhase(Phase phase) {
        const std::set<game::Control> visible = phaseSet(phase);
        for (game::Control control : phaseControls()) {
            world.visible[control] = visible.count(control) != 0;
        }
    }

    [[nodiscard]] std::set<game::Control> visibleSet() const {
        std::set<game::Control> visible;
        for (game::Control control : phaseControls()) {
            const auto found = world.visible.find(control);
            if (found != world.visible.end() && found->second) {
                visible.insert(control);
            }
        }
        return visible;
    }

    // The deck with the given cards from position `from` on and the rest of the fixed order
    // filling the other positions.
    void stackDeck(int from, const std::vector<std::string>& cards) {
        std::vector<std::string> rest;
        for (const std::string& name : game::makeDeckOrder()) {
            if (std::find(cards.begin(), cards.end(), name) == cards.end()) {
                rest.push_back(name);
            }
        }
        auto next = rest.begin();
        for (int position = 1; position <= game::kDeckSize; ++position) {
            const int index = position - from;
            const bool given = index >= 0 && index < static_cast<int>(cards.size());
            state().deck[static_cast<std::size_t>(position - 1)] =
                given ? cards[static_cast<std::size_t>(index)] : *next++;
        }
    }

    // The next shuffle puts these cards first.
    void stackShuffle(const std::vector<std::string>& firstCards) {
        for (double fraction : shuffleFractions(firstCards)) {
            random.fractions.push_back(fraction);
        }
    }
    void scriptDraw(int wanted, double scale, double offset) {
        random.fractions.push_back(fractionFor(wanted, scale, offset));
    }
    void scriptEventRoll(int roll) { scriptDraw(roll, 20.0, 0.0); }
    void scriptBetIndex(int index) { scriptDraw(index, 3.0, 1.0); }
};

inline bool isPermutationOfTheDeck(const game::CardNames& deck) {
    static const game::CardNames sorted = [] {
        game::CardNames order = game::makeDeckOrder();
        std::sort(order.begin(), order.end());
        return order;
    }();
    game::CardNames names = deck;
    std::sort(names.begin(), names.end());
    return names == sorted;
}

} // namespace test
