// SPDX-License-Identifier: MIT
#include "benchmarks/cue_timing/match_script.h"

#include "game/game.h"
#include "game/random_source.h"
#include "recording_world.h"

#include <random>

namespace cuetiming {

namespace {

// The tests' recording world with a player who answers every question Yes, so matches go on.
class AlwaysYes final : public kit::RecordingWorld {
protected:
    int answerYesNo(std::string_view) override { return game::kResultYes; }
};

// What of the log reaches the player's eyes and ears: "cue NAME sync|async", a box or an input
// box.
void addSteps(const kit::Log& log, std::vector<Step>& steps, std::size_t& cues) {
    for (const std::string& entry : log) {
        if (entry.starts_with("cue ")) {
            const std::size_t end = entry.rfind(' ');
            steps.push_back({Step::Kind::Cue, entry.substr(4, end - 4), entry.ends_with(" sync")});
            ++cues;
        } else if (entry.starts_with("box ") || entry.starts_with("input ")) {
            steps.push_back({Step::Kind::Box, {}});
        }
    }
}

} // namespace

std::vector<Step> matchScript(std::size_t cues, std::uint64_t seed) {
    AlwaysYes world;
    world.typed.emplace_back("Тест");
    game::SystemRandom random(seed);
    std::mt19937_64 hand(seed + 1);
    game::TableState table;
    game::Game game(world, world, random, world, table);
    std::vector<Step> steps;
    std::size_t played = 0;
    game.load();
    addSteps(world.takeLog(), steps, played);
    while (played < cues) {
        std::vector<game::Command> offered;
        for (const game::Command command : game::kCommands) {
            if (const auto button = game::buttonOf(command); button && world.isShown(*button)) {
                offered.push_back(command);
            }
        }
        steps.push_back({Step::Kind::Click, {}});
        game.run(
            offered.at(std::uniform_int_distribution<std::size_t>(0, offered.size() - 1)(hand)));
        addSteps(world.takeLog(), steps, played);
    }
    return steps;
}

} // namespace cuetiming
