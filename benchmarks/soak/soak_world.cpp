// SPDX-License-Identifier: MIT
#include "benchmarks/soak/soak_world.h"

#include "log.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace soak {
namespace {

// The amount a chance event names: the last number in its prompt ("… за 100", "… в 300").
std::int64_t lastNumberIn(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && std::isdigit(static_cast<unsigned char>(text[end - 1])) == 0) {
        --end;
    }
    std::size_t begin = end;
    while (begin > 0 && std::isdigit(static_cast<unsigned char>(text[begin - 1])) != 0) {
        --begin;
    }
    return begin == end ? 0 : std::stoll(std::string(text.substr(begin, end - begin)));
}

constexpr int kYesInTen = 9;

} // namespace

SoakWorld::SoakWorld(std::uint64_t seed) : answers_(seed) {
    typed.emplace_back("Игрок");
    rulesFile = {"help.vrn", std::string("Правила\r\nигры\r\n"), {}};
}

int SoakWorld::answerYesNo(std::string_view) {
    const bool yes = std::uniform_int_distribution<int>(0, 9)(answers_) < kYesInTen;
    return yes ? game::kResultYes : game::kResultNo;
}

MoneyEvents SoakWorld::takeEvents() {
    using game::Cue;
    using game::cueFile;
    static const std::string loss = kit::cue(cueFile(Cue::Lose));
    static const std::string gain = kit::cue(cueFile(Cue::Gain));
    static const std::string newMatch = kit::cue(cueFile(Cue::Kn));
    static const std::string refill = kit::cue(cueFile(Cue::Two));
    static const std::array<std::string, 3> outcomes{
        kit::cue(cueFile(Cue::Ooh)), kit::cue(cueFile(Cue::Ye)), kit::cue(cueFile(Cue::Oba))};
    const kit::Log taken = takeLog();
    MoneyEvents events;
    for (std::size_t i = 0; i < taken.size(); ++i) {
        const std::string& entry = taken[i];
        // The chance events are the only boxes after these two cues; the loss or gain is
        // carried out because the box answers OK.
        if ((entry == loss || entry == gain) && i + 1 < taken.size()) {
            const std::int64_t amount = lastNumberIn(taken[i + 1]);
            events.chanceDelta += entry == loss ? -amount : amount;
        }
        events.newMatch = events.newMatch || entry == newMatch;
        events.bankRefill = events.bankRefill || entry == refill;
        events.settledDeals +=
            static_cast<int>(std::count(outcomes.begin(), outcomes.end(), entry));
    }
    return events;
}

} // namespace soak
