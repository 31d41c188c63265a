// SPDX-License-Identifier: MIT
// Plays random click sequences through the rules and checks every invariant after every click.
// Meant to run built with -DZUVIK_SANITIZE=ON, so that memory errors and undefined behaviour
// stop it too:
//   zuvik_soak [SEQUENCES [FIRST_SEED]]        (default 1000000 sequences from seed 1)
// A failure prints the seed and the clicks that led to it; `zuvik_soak 1 SEED` replays it.
#include "benchmarks/soak/invariants.h"
#include "benchmarks/soak/soak_world.h"
#include "game/game.h"
#include "game/random_source.h"
#include "log.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

struct Totals {
    std::uint64_t sequences = 0;
    std::uint64_t clicks = 0;
    std::uint64_t deals = 0;
    std::uint64_t leftByPlayer = 0; // sequences that ended with the program's termination
    std::uint64_t newMatches = 0;
    std::uint64_t bankRefills = 0;
};

constexpr int kMaxClicks = 80;

// One click as a player could make it: mostly a visible button, now and then a menu command.
// Returns what was clicked, for the failure report.
std::string clickOnce(game::Game& game, const soak::SoakWorld& world, std::mt19937_64& hand) {
    static constexpr std::array<const char*, 4> kMenuItems{"Новая", "Выход", "О программе",
                                                           "Правила игры"};
    const int menu = std::uniform_int_distribution<int>(0, 999)(hand);
    game::Command command = game::Command::Exit;
    if (menu < 10) {
        command = game::Command::NewMatch;
    } else if (menu < 14) {
        command = game::Command::About;
    } else if (menu < 18) {
        command = game::Command::Rules;
    } else if (menu > 18) {
        std::vector<game::Command> offered;
        for (const game::Command button : game::kCommands) {
            if (game::buttonOf(button) && world.isShown(*game::buttonOf(button))) {
                offered.push_back(button);
            }
        }
        command =
            offered.at(std::uniform_int_distribution<std::size_t>(0, offered.size() - 1)(hand));
    }
    game.run(command);
    if (const auto button = game::buttonOf(command)) {
        return std::string(game::rowOf(*button).name);
    }
    return kMenuItems.at(static_cast<std::size_t>(command) -
                         static_cast<std::size_t>(game::Command::NewMatch));
}

// Plays one sequence; false (after printing why) when an invariant broke.
bool playSequence(std::uint64_t seed, Totals& totals) {
    soak::SoakWorld world(seed * 0x9E3779B97F4A7C15ULL + 1);
    game::SystemRandom random(seed);
    std::mt19937_64 hand(seed ^ 0xD1B54A32D192ED03ULL);
    game::TableState table;
    game::Game game(world, world, random, world, table);
    std::vector<std::string> history{"load"};

    const auto fail = [&](const std::string& broken) {
        std::fprintf(stderr, "zuvik_soak: seed %llu, after", static_cast<unsigned long long>(seed));
        for (const std::string& click : history) {
            std::fprintf(stderr, " %s", click.c_str());
        }
        std::fprintf(stderr, ":\n  %s\n", broken.c_str());
        return false;
    };

    ++totals.sequences;
    try {
        std::int64_t before = 0;
        game.load();
        const int length = std::uniform_int_distribution<int>(1, kMaxClicks)(hand);
        for (int click = 0;; ++click) {
            const soak::MoneyEvents events = world.takeEvents();
            totals.deals += static_cast<std::uint64_t>(events.settledDeals);
            totals.newMatches += click > 0 && events.newMatch ? 1 : 0; // not the first match
            totals.bankRefills += events.bankRefill ? 1 : 0;
            if (std::string broken = soak::checkAfterClick(table, world, before, events);
                !broken.empty()) {
                return fail(broken);
            }
            if (click == length) {
                break;
            }
            before = soak::wealth(table, world);
            ++totals.clicks;
            history.push_back(clickOnce(game, world, hand));
        }
    } catch (const game::Termination&) {
        ++totals.leftByPlayer;
        const bool told = !world.log.empty() && world.log.back() == kit::kTerminate;
        totals.deals += static_cast<std::uint64_t>(world.takeEvents().settledDeals);
        if (!told) {
            return fail("the rules ended the program without telling the window");
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const std::uint64_t sequences = argc > 1 ? std::stoull(argv[1]) : 1'000'000;
    const std::uint64_t firstSeed = argc > 2 ? std::stoull(argv[2]) : 1;
    const auto start = std::chrono::steady_clock::now();
    Totals totals;
    bool held = true;
    for (std::uint64_t seed = firstSeed; seed < firstSeed + sequences && held; ++seed) {
        held = playSequence(seed, totals);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("zuvik_soak: %llu sequences, %llu clicks, %llu deals settled, %llu left by the "
                "player, %llu new matches, %llu bank refills in %.1f s: %s\n",
                static_cast<unsigned long long>(totals.sequences),
                static_cast<unsigned long long>(totals.clicks),
                static_cast<unsigned long long>(totals.deals),
                static_cast<unsigned long long>(totals.leftByPlayer),
                static_cast<unsigned long long>(totals.newMatches),
                static_cast<unsigned long long>(totals.bankRefills), seconds,
                held ? "every invariant held" : "an invariant broke");
    // Fixed seeds, so this is no matter of luck: a long enough run that never got to the end of a
    // match by every way there is has stopped testing those ways.
    if (held && sequences >= 1000 &&
        (totals.leftByPlayer == 0 || totals.newMatches == 0 || totals.bankRefills == 0)) {
        std::printf("zuvik_soak: no sequence was left by the player, started a new match and "
                    "refilled the bank each at least once\n");
        return 1;
    }
    return held ? 0 : 1;
}
