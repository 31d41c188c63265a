// SPDX-License-Identifier: MIT
#pragma once

#include "game/view.h"

#include <array>
#include <optional>
#include <vector>

// The phases of a match, as the controls the window shows make them.
namespace kit {

enum class Phase { BettingClosed, ChoosingBet, PlayerFirstDeal, ComputerFirstDeal };

// The controls whose visibility makes the phase, in tab order.
inline constexpr std::array kPhaseControls{
    game::Control::Text1,    game::Control::Command1, game::Control::Command2,
    game::Control::Command3, game::Control::Command4, game::Control::Command5,
    game::Control::Command6, game::Control::Command7, game::Control::Command8,
    game::Control::Command9,
};

// What the phase shows, in the order of kPhaseControls.
[[nodiscard]] std::vector<game::Control> controlsOf(Phase phase);

// The phase that the shown controls (in the order of kPhaseControls) make, a deal whose "Еще"
// the player has lost to the scolding included; nothing when they make none.
[[nodiscard]] std::optional<Phase> phaseOf(const std::vector<game::Control>& shown);

} // namespace kit
