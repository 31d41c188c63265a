// SPDX-License-Identifier: MIT
#pragma once

#include "game/command.h"
#include "game/cue_player.h"
#include "game/random_source.h"
#include "game/rules_file.h"
#include "game/settlement.h"
#include "game/table_state.h"
#include "game/view.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace game {

// The rules and the flow of a match. Reaches the world only through the four interfaces it is
// given, and keeps everything a match needs in the table state it is given: the window owns that
// for the whole run, a test sets up a position in it directly. All five must outlive the game.
// Any call may throw Termination.
class Game {
public:
    Game(View& view, CuePlayer& cues, RandomSource& random, RulesSource& rules, TableState& table);

    // Start-up, before the window is first shown: tables, greeting, first match.
    void load();
    // The one way in for the player's commands, whatever gives them: the command's handler runs
    // to its end, boxes and synchronous cues included, and true is returned. A command that
    // arrives while another one runs (from the event loop of one of its boxes or cues, say) is
    // dropped, and false is returned; so is every command once the program is ending.
    bool run(Command command);

    void inicial();  // shuffle and the player-first opening
    void inicial1(); // chance events, reshuffle and the computer-first opening
    void inicial2(); // a new match
    void inicial3(); // the computer's bet

private:
    // How the end-of-match check decides that a side is out of money.
    enum class OutTest {
        BelowZero,   // after a bet or a tie: 0 is still in the game
        ZeroOrBelow, // before the computer's bet
    };
    enum class CheckResult {
        GoOn, // nobody is out of money: the caller carries on
        Stop, // a new match began or the computer's bank was refilled: the caller ends at once
    };

    // The computer stands on this total or more, whichever kind of deal it plays.
    static constexpr int kComputerStands = 16;

    // Runs body unless a command or the start-up already runs or the program is ending; true
    // if it ran.
    template <typename Body> bool throughGate(Body body);
    void greet();
    void dispatch(Command command);

    // What each command runs.
    void command1Click(); // "Еще", player-first deal
    void command2Click(); // "Бери себе"
    void command3Click(); // "Еще", computer-first deal
    void command4Click(); // "Мне хватит"
    void command5Click(); // "Делайте ставки"
    void command6Click(); // "25"
    void command7Click(); // "50"
    void command8Click(); // "100"
    void command9Click(); // "200"
    void newMatchCommand();
    void exitCommand();
    void aboutCommand();
    void rulesCommand();

    // Plays the cue synchronously, shows an OK box and keeps its result in answer.
    void announce(Cue cue, std::string_view prompt);
    void showMoney(Control label, std::int64_t amount);
    // Both purses as they stand, nothing on the table, and only "Делайте ставки" offered.
    void showStandingAndCloseBetting();
    // The winner of a decided deal takes the whole stake.
    void payStakeTo(Outcome winner);
    // A tie: both sides pay their half of the stake again, and the doubled stake stays on the
    // table; the three money captions show the result.
    void doubleStakeOnTie();
    [[noreturn]] void terminate();

    // Helpers of the deal flow. Positions count from 1; a position past the deck holds no card.
    [[nodiscard]] std::string_view nameAt(int position) const;
    [[nodiscard]] std::optional<std::uint8_t> valueAt(int position) const;
    // The total of the two cards at position and position + 1, or nothing when either has no
    // value: the step that sets a hand's first total then leaves it as it was.
    [[nodiscard]] std::optional<int> pairValueAt(int position) const;
    void chanceEvents();
    void chanceEvent(Cue cue, std::string_view prompt, int change);
    void playerFirstComputerTurn();
    void closeDecidedPlayerFirstDeal();
    void tiePlayerFirstDeal();
    void closeDecidedComputerFirstDeal();
    void tieComputerFirstDeal();
    // A bet button's click. The two copies are the button's saved amounts; the "25" button,
    // which never refuses, has none and passes null.
    void placeBet(int bet, std::int32_t* playerCopy, std::int32_t* computerCopy);
    void refuseBet(const std::int32_t* playerCopy, const std::int32_t* computerCopy);
    // Player first, computer second. refundsPlayersHalf: the caller has a stake on the table
    // that a bank refill abandons, so the player gets its own half of it back. Termination
    // (a No to either question) does not return.
    CheckResult endOfMatchCheck(OutTest test, bool refundsPlayersHalf);
    void bankRefill(bool refundsPlayersHalf);
    [[noreturn]] void sayGoodbye();

    View& view_;
    CuePlayer& cues_;
    RandomSource& random_;
    RulesSource& rules_;
    TableState& table_;
    bool running_ = false; // a command or the start-up is under way
    bool ending_ = false;  // the program is terminating: nothing runs any more
};

} // namespace game
