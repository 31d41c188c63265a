// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace game {

// A blank before a non-negative number, a minus sign before a negative one: " 1000", " 0", "-25".
// The outcome messages write the two totals the same way.
[[nodiscard]] std::string moneyCaption(std::int64_t amount);

// The nearest whole number, an exact half going to the even neighbour.
[[nodiscard]] std::int64_t roundHalfEven(double value);

// Half of the stake, computed in floating point and rounded half to even; exact for every
// stake that occurs, since stakes are always even.
[[nodiscard]] std::int64_t halfOf(std::int32_t stake);

} // namespace game
