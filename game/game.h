// SPDX-License-Identifier: MIT
#pragma once

#include "game/cue_player.h"
#include "game/random_source.h"
#include "game/rules_file.h"
#include "game/table_state.h"
#include "game/view.h"

#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace game {

// How the end-of-match check decides that a side is out of money.
enum class OutTest {
    BelowZero,   // after a bet or a tie: 0 is still in the game
    ZeroOrBelow, // before the computer's bet
};

enum class CheckResult {
    GoOn, // nobody is out of money: the caller carries on
    Stop, // a new match began or the computer's bank was refilled: the caller ends at once
};

// The rules and the flow of a match. Owns the table state; reaches the world only through
// the three interfaces it is given, which must outlive it. Each public handler is what one
// button or menu item of the window runs. Any handler may throw Termination.
class Game {
public:
    Game(View& view, CuePlayer& cues, RandomSource& random);

    // Start-up, before the window is first shown: tables, greeting, first match.
    void load();
    // Fills betValues, deckOrder and cardGrid. Runs once, as the first step of load().
    void initTables();

    void inicial();  // shuffle and the player-first opening
    void inicial1(); // chance events, reshuffle and the computer-first opening
    void inicial2(); // a new match
    void inicial3(); // the computer's bet

    void command1Click(); // "Еще", player-first deal
    void command2Click(); // "Бери себе"
    void command3Click(); // "Еще", computer-first deal
    void command4Click(); // "Мне хватит"
    void command5Click(); // "Делайте ставки"
    void command6Click(); // "25"
    void command7Click(); // "50"
    void command8Click(); // "100"
    void command9Click(); // "200"

    void newMatchCommand(); // "Новая"
    void exitCommand();     // "Выход"
    void aboutCommand();    // "О программе"
    void rulesCommand(const RulesFile& file); // "Правила игры"

    CheckResult endOfMatchCheck(OutTest test, bool refundsPlayersHalf);

    [[nodiscard]] const TableState& table() const { return table_; }
    // For tests and tools that set up a position directly.
    [[nodiscard]] TableState& table() { return table_; }

private:
    // Plays the cue synchronously, shows an OK box and keeps its result in answer.
    void announce(std::string_view cue, std::string_view prompt);
    void show(std::initializer_list<Control> controls);
    void hide(std::initializer_list<Control> controls);
    void showMoney(Control label, std::int64_t amount);
    [[noreturn]] void terminate();

    View& view_;
    CuePlayer& cues_;
    RandomSource& random_;
    TableState table_;
};

} // namespace game
