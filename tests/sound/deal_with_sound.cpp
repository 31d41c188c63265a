// SPDX-License-Identifier: MIT
#include "deal_with_sound.h"

#include "game/command.h"

#include <algorithm>
#include <stdexcept>

namespace soundtest {

using game::Command;
using std::chrono::duration_cast;
using std::chrono::milliseconds;

DealWithSound::DealWithSound(game::CuePlayer& cues) : cues_(world_, cues) {
    game::initTables(state_);
    world_.phase = game::Phase::ChoosingBet;
    state_.playerMoney = 300;
    state_.computerMoney = 300;
    // 10 and 6 dealt, a jack drawn: 18; the computer's 10 and 7 stand on 17.
    world_.stackShuffle(
        {" десять треф", " шесть треф", " валет треф", " десять червы", " семь червы"});
    // The next deal: a bet of 50, no chance event, the computer's 10 and 6.
    world_.scriptBetIndex(2);
    world_.scriptEventRoll(1);
    world_.stackShuffle({" десять бубны", " шесть бубны", " туз пики", " семь пики"});
}

void DealWithSound::play() {
    for (const Command command : {Command::Command6, Command::Command1, Command::Command2}) {
        const Clock::time_point start = Clock::now();
        if (command == Command::Command2) {
            stood_ = start;
            world_.firstBox.reset();
        }
        if (!game_.run(command)) {
            throw std::logic_error("the gate turned a click of the deal away");
        }
        slowest_ = std::max(slowest_, duration_cast<milliseconds>(Clock::now() - start));
    }
}

std::chrono::duration<double, std::milli> DealWithSound::standToOutcome() const {
    if (!world_.firstBox) {
        throw std::logic_error("«Бери себе» showed no box");
    }
    return *world_.firstBox - stood_;
}

} // namespace soundtest
