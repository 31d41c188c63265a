// SPDX-License-Identifier: MIT
#pragma once

#include "benchmarks/soak/soak_world.h"
#include "game/table_state.h"

#include <cstdint>
#include <string>

namespace soak {

// Both purses, plus the stake while a deal is open: between chance events, new matches and
// bank refills, no click may change it.
[[nodiscard]] std::int64_t wealth(const game::TableState& table, const SoakWorld& world);

// Everything that must hold after any click that did not end the program. wealthBefore is
// wealth() just before the click; events are what the click did to the money. Gives a
// description of the first broken rule, or the empty text when all hold.
[[nodiscard]] std::string checkAfterClick(const game::TableState& table, const SoakWorld& world,
                                          std::int64_t wealthBefore, const MoneyEvents& events);

} // namespace soak
