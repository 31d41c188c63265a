// SPDX-License-Identifier: MIT
#pragma once

#include "recording_world.h"

#include <cstdint>
#include <random>
#include <string_view>

namespace soak {

// What clicks did to the money besides moving it between the two sides and the table.
struct MoneyEvents {
    std::int64_t chanceDelta = 0; // the chance events' losses and gains, summed
    bool newMatch = false;        // a new match began: both sides are back at 1000
    bool bankRefill = false;      // the computer's bank was refilled
    int settledDeals = 0;
};

// The tests' recording world with a player who answers a Yes/No question at random, mostly Yes,
// so matches run long but now and then the player leaves.
class SoakWorld final : public kit::RecordingWorld {
public:
    explicit SoakWorld(std::uint64_t seed);

    // What the log since the last call tells of the money; the log is then forgotten.
    MoneyEvents takeEvents();

protected:
    int answerYesNo(std::string_view prompt) override;

private:
    std::mt19937_64 answers_;
};

} // namespace soak
