// SPDX-License-Identifier: MIT
#include "phases.h"

namespace kit {

using game::Control;

std::vector<Control> controlsOf(Phase phase) {
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

std::optional<Phase> phaseOf(const std::vector<Control>& shown) {
    for (const Phase phase : {Phase::BettingClosed, Phase::ChoosingBet, Phase::PlayerFirstDeal,
                              Phase::ComputerFirstDeal}) {
        std::vector<Control> controls = controlsOf(phase);
        if (shown == controls) {
            return phase;
        }
        // The scolding takes "Еще", the second of a deal's controls, away.
        if (phase >= Phase::PlayerFirstDeal) {
            controls.erase(controls.begin() + 1);
            if (shown == controls) {
                return phase;
            }
        }
    }
    return std::nullopt;
}

} // namespace kit
