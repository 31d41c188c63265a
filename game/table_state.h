// SPDX-License-Identifier: MIT
#pragma once

#include "game/cards.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace game {

using Marks = std::array<bool, kDeckSize>;

// Everything a match needs. Points and counters are 8-bit unsigned, money and stake 32-bit
// signed; every change of a numeric field goes through guardedSet/guardedAdd. Loop counters
// carry nothing from one operation to the next, so they are plain locals in the code that loops.
struct TableState {
    CardNames deckOrder{}; // fixed, filled once at start-up
    CardNames deck{};      // the deal's shuffled deck; position n is the n-th card dealt
    Marks drawnMarks{};    // positions of deckOrder already used by the player-first shuffle
    CardGrid cardGrid{};   // fixed, filled once at start-up
    Marks drawnMarks2{};   // the same for the computer-first shuffle

    std::uint8_t playerPoints = 0;
    std::uint8_t computerPoints = 0;
    std::uint8_t dealtCount = 0; // the next card is at position dealtCount + 1

    std::optional<int> answer; // result of the last message box a handler tests

    std::int32_t playerMoney = 0;
    std::int32_t computerMoney = 0;
    std::int32_t playerMoneyBefore50 = 0;
    std::int32_t computerMoneyBefore50 = 0;
    std::int32_t playerMoneyBefore100 = 0;
    std::int32_t computerMoneyBefore100 = 0;
    std::int32_t playerMoneyBefore200 = 0;
    std::int32_t computerMoneyBefore200 = 0;
    std::int32_t stake = 0;

    BetValues betValues{};
    std::uint8_t betIndex = 0;  // 1 to 4 once the computer has chosen a bet at random
    std::uint8_t eventRoll = 0; // 0 to 20

    std::string playerName;
    std::string noName; // never assigned: the name test compares with it
};

// Fills betValues, deckOrder and cardGrid, which never change afterwards: the first step of the
// start-up.
void initTables(TableState& table);

} // namespace game
