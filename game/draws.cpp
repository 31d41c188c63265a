// SPDX-License-Identifier: MIT
#include "game/game.h"
#include "game/guarded.h"

#include <string>

namespace game {
namespace {

constexpr std::string_view kTooMany =
    "Ты с головой дружишь? У тебя давно перебор. Мой тебе совет, обратись к врачу";
// Past 40 the player is scolded and loses the "Еще" button; 21 itself goes unremarked here.
constexpr int kScoldAbove = 40;

} // namespace

// The two "Еще" buttons differ only in order: this one appends the new card after the
// scolding, so the hand text does not yet show it while the message is open.
void Game::command1Click() {
    if (table_.dealtCount >= kDeckSize) {
        return; // no 37th card; the rules never get this far into the deck
    }
    cues_.play(Cue::Deal, CueMode::Sync);
    guardedAdd(table_.dealtCount, 1, "dealtCount");
    const std::string_view name = nameAt(table_.dealtCount);
    if (const auto value = valueAt(table_.dealtCount)) {
        guardedAdd(table_.playerPoints, *value, "playerPoints");
    }
    if (table_.playerPoints > kScoldAbove) {
        announce(Cue::Sv, kTooMany);
        if (table_.answer == kResultOk) {
            view_.showPhase(Phase::PlayerFirstDealNoMoreCards);
        }
    }
    view_.focusHand();
    view_.setHandText(view_.handText() + std::string(name));
}

// This one shows the new card before the scolding.
void Game::command3Click() {
    if (table_.dealtCount >= kDeckSize) {
        return;
    }
    cues_.play(Cue::Deal, CueMode::Sync);
    view_.focusHand();
    guardedAdd(table_.dealtCount, 1, "dealtCount");
    if (const auto value = valueAt(table_.dealtCount)) {
        guardedAdd(table_.playerPoints, *value, "playerPoints");
    }
    view_.setHandText(view_.handText() + std::string(nameAt(table_.dealtCount)));
    if (table_.playerPoints > kScoldAbove) {
        announce(Cue::Sv, kTooMany);
        if (table_.answer == kResultOk) {
            view_.showPhase(Phase::ComputerFirstDealNoMoreCards);
        }
    }
}

} // namespace game
