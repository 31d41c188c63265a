// SPDX-License-Identifier: MIT
#include "game/money.h"

#include <cmath>

namespace game {

std::string moneyCaption(std::int64_t amount) {
    std::string caption = amount < 0 ? "" : " ";
    caption += std::to_string(amount);
    return caption;
}

std::int64_t roundHalfEven(double value) {
    const double lower = std::floor(value);
    const double fraction = value - lower;
    auto result = static_cast<std::int64_t>(lower);
    if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0)) {
        ++result;
    }
    return result;
}

std::int64_t halfOf(std::int32_t stake) {
    return roundHalfEven(static_cast<double>(stake) / 2.0);
}

} // namespace game
