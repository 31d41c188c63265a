// SPDX-License-Identifier: MIT
// How fast the rules run on their own, with a window and a sound player that do nothing.
//   <build>/bin/rules_benchmark
// "deals/s" counts settled deals; "shuffles/s" counts player-first openings (game.inicial()).
#include "benchmarks/null_world.h"
#include "game/game.h"

#include <benchmark/benchmark.h>

namespace {

using game::Control;

// A game past its greeting, at the start of a match, betting closed.
struct Table {
    explicit Table(game::RandomSource& random) : game(world, world, random, world, state) {
        game.load();
    }
    bench::NullWorld world;
    game::TableState state;
    game::Game game;
};

void reportDeals(benchmark::State& state, const bench::NullWorld& world) {
    state.counters["deals/s"] =
        benchmark::Counter(static_cast<double>(world.settledDeals()), benchmark::Counter::kIsRate);
}

void shuffle(benchmark::State& state, game::RandomSource& random) {
    Table table(random);
    for (auto _ : state) {
        table.game.inicial();
        benchmark::DoNotOptimize(table.state.deck);
    }
    state.counters["shuffles/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// Seeded, so that a reseed reads no entropy: a measurement of the rules, not of /dev/urandom.
void BM_Shuffle(benchmark::State& state) {
    game::SystemRandom random(1);
    shuffle(state, random);
}
BENCHMARK(BM_Shuffle);

// The same as the game plays it, reseeding from the system's entropy every time.
void BM_ShuffleSystemRandom(benchmark::State& state) {
    game::SystemRandom random;
    shuffle(state, random);
}
BENCHMARK(BM_ShuffleSystemRandom);

// 100 when both sides can cover it; otherwise 25, which is never refused, so that a short
// purse does not leave the loop clicking a refused bet forever.
void placeBet(game::Game& game, const game::TableState& state) {
    if (state.playerMoney >= 100 && state.computerMoney >= 100) {
        game.run(game::Command::Command8);
    } else {
        game.run(game::Command::Command6);
    }
}

// "Делайте ставки", a bet, "Бери себе": the bet, the shuffle, the computer's turn and the
// settlement, and with them the computer's bet and the computer-first opening that follow.
void BM_PlayerFirstDeal(benchmark::State& state) {
    game::SystemRandom random(2);
    Table table(random);
    for (auto _ : state) {
        table.game.run(game::Command::Command5);
        placeBet(table.game, table.state);
        table.game.run(game::Command::Command2);
    }
    reportDeals(state, table.world);
}
BENCHMARK(BM_PlayerFirstDeal);

// The computer's bet with its opening, then "Мне хватит" and the settlement.
void BM_ComputerFirstDeal(benchmark::State& state) {
    game::SystemRandom random(3);
    Table table(random);
    for (auto _ : state) {
        table.game.inicial3();
        table.game.run(game::Command::Command4);
    }
    reportDeals(state, table.world);
}
BENCHMARK(BM_ComputerFirstDeal);

// A whole match as a cautious player plays it, one click per iteration: draw below 17,
// otherwise stand; bet 100 when both sides can cover it, else 25. Matches lost or won start over,
// as the boxes all say yes.
void BM_MatchPlay(benchmark::State& state) {
    game::SystemRandom random(4);
    Table table(random);
    game::Game& game = table.game;
    const bench::NullWorld& world = table.world;
    for (auto _ : state) {
        const bool wantsCard = table.state.playerPoints < 17;
        if (world.isVisible(Control::Command5)) {
            game.run(game::Command::Command5);
        } else if (world.isVisible(Control::Command8)) {
            placeBet(game, table.state);
        } else if (world.isVisible(Control::Command2)) {
            if (wantsCard && world.isVisible(Control::Command1)) {
                game.run(game::Command::Command1);
            } else {
                game.run(game::Command::Command2);
            }
        } else if (wantsCard && world.isVisible(Control::Command3)) {
            game.run(game::Command::Command3);
        } else {
            game.run(game::Command::Command4);
        }
    }
    state.counters["clicks/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    reportDeals(state, world);
}
BENCHMARK(BM_MatchPlay);

} // namespace

BENCHMARK_MAIN();
