// SPDX-License-Identifier: MIT
#include "game/game.h"

#include "game/guarded.h"
#include "game/money.h"

namespace game {

Game::Game(View& view, CuePlayer& cues, RandomSource& random, RulesSource& rules, TableState& table)
    : view_(view), cues_(cues), random_(random), rules_(rules), table_(table) {}

// Modal boxes and the input filter of a cue stop the mouse and the keys, but not a press that
// an assistive tool makes through the accessibility interface, nor a timer: those reach a
// button from the event loop of a box or cue while its command is halfway through. The gate
// drops them whole, so a deal is never settled twice and a match never restarts mid-deal.
template <typename Body> bool Game::throughGate(Body body) {
    if (running_ || ending_) {
        return false;
    }
    running_ = true;
    struct Reopen {
        bool& running;
        ~Reopen() { running = false; }
    } reopen{running_};
    body();
    return true;
}

void Game::load() {
    throughGate([this] { greet(); });
}

bool Game::run(Command command) {
    return throughGate([this, command] { dispatch(command); });
}

void Game::dispatch(Command command) {
    switch (command) {
    case Command::Command1:
        return command1Click();
    case Command::Command2:
        return command2Click();
    case Command::Command3:
        return command3Click();
    case Command::Command4:
        return command4Click();
    case Command::Command5:
        return command5Click();
    case Command::Command6:
        return command6Click();
    case Command::Command7:
        return command7Click();
    case Command::Command8:
        return command8Click();
    case Command::Command9:
        return command9Click();
    case Command::NewMatch:
        return newMatchCommand();
    case Command::Exit:
        return exitCommand();
    case Command::About:
        return aboutCommand();
    case Command::Rules:
        return rulesCommand();
    }
}

void Game::inicial2() {
    cues_.play(Cue::Kn, CueMode::Sync);
    table_.playerMoney = 1000;
    table_.computerMoney = 1000;
    // Nothing is on the table at the start of a match, whatever stake still holds.
    showStandingAndCloseBetting();
}

void Game::showStandingAndCloseBetting() {
    showMoney(Control::Label4, table_.playerMoney);
    showMoney(Control::Label6, table_.computerMoney);
    view_.setCaption(Control::Label8, "");
    view_.showPhase(Phase::BettingClosed);
}

void Game::doubleStakeOnTie() {
    guardedAdd(table_.playerMoney, -halfOf(table_.stake), "playerMoney");
    guardedAdd(table_.computerMoney, -halfOf(table_.stake), "computerMoney");
    guardedSet(table_.stake, 2 * static_cast<std::int64_t>(table_.stake), "stake");
    showMoney(Control::Label4, table_.playerMoney);
    showMoney(Control::Label6, table_.computerMoney);
    showMoney(Control::Label8, table_.stake);
}

void Game::payStakeTo(Outcome winner) {
    if (winner == Outcome::PlayerWins) {
        guardedAdd(table_.playerMoney, table_.stake, "playerMoney");
    } else {
        guardedAdd(table_.computerMoney, table_.stake, "computerMoney");
    }
}

void Game::announce(Cue cue, std::string_view prompt) {
    cues_.play(cue, CueMode::Sync);
    table_.answer = view_.messageBox(prompt, Buttons::Ok, {});
}

void Game::showMoney(Control label, std::int64_t amount) {
    view_.setCaption(label, moneyCaption(amount));
}

void Game::terminate() {
    ending_ = true;
    view_.terminate();
    throw Termination{};
}

} // namespace game
