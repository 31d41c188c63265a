// SPDX-License-Identifier: MIT
#pragma once

#include <concepts>
#include <cstdint>
#include <limits>
#include <string_view>

namespace game {

// Ends the program with a message on standard error. Ordinary play never gets here; a field
// that leaves its range is a fault of the program, never undefined behaviour.
[[noreturn]] void fatalOutOfRange(std::string_view field, std::int64_t value);

// Stores value into a field of the table state, or ends the program when it does not fit.
template <std::integral T> void guardedSet(T& field, std::int64_t value, std::string_view name) {
    if (value < static_cast<std::int64_t>(std::numeric_limits<T>::min()) ||
        value > static_cast<std::int64_t>(std::numeric_limits<T>::max())) {
        fatalOutOfRange(name, value);
    }
    field = static_cast<T>(value);
}

// Deltas in play are bounded far below the 64-bit range, so the sum itself cannot overflow.
template <std::integral T> void guardedAdd(T& field, std::int64_t delta, std::string_view name) {
    guardedSet(field, static_cast<std::int64_t>(field) + delta, name);
}

} // namespace game
