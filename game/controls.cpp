// SPDX-License-Identifier: MIT
#include "game/controls.h"

namespace game {
namespace {

constexpr bool rowsFollowTheEnum() {
    for (std::size_t index = 0; index < kControlCount; ++index) {
        if (static_cast<std::size_t>(kControls[index].control) != index) {
            return false;
        }
    }
    return true;
}
static_assert(rowsFollowTheEnum(), "kControls must list the controls in the order of Control");

// The controls a phase offers stand apart on the table: the designed layout puts the two "Еще",
// "Бери себе" and "Мне хватит" and the bets almost on top of each other.
constexpr bool overlap(const Twips& a, const Twips& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}
constexpr bool noPhaseShowsOverlappingControls() {
    for (const Phase phase : kPhases) {
        for (const ControlRow& a : kControls) {
            for (const ControlRow& b : kControls) {
                if (a.control < b.control && a.shownIn.contains(phase) &&
                    b.shownIn.contains(phase) && overlap(a.twips, b.twips)) {
                    return false;
                }
            }
        }
    }
    return true;
}
static_assert(noPhaseShowsOverlappingControls(), "a phase shows two controls on top of each other");

} // namespace

std::string_view phaseName(Phase phase) {
    switch (phase) {
    case Phase::BettingClosed:
        return "BettingClosed";
    case Phase::ChoosingBet:
        return "ChoosingBet";
    case Phase::PlayerFirstDeal:
        return "PlayerFirstDeal";
    case Phase::ComputerFirstDeal:
        return "ComputerFirstDeal";
    case Phase::PlayerFirstDealNoMoreCards:
        return "PlayerFirstDealNoMoreCards";
    case Phase::ComputerFirstDealNoMoreCards:
        return "ComputerFirstDealNoMoreCards";
    }
    return "?";
}

} // namespace game
