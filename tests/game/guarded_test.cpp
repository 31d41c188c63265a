// SPDX-License-Identifier: MIT
#include "game/guarded.h"

#include <gtest/gtest.h>

namespace {

TEST(GuardedArithmetic, StaysInRangeOrEndsTheProgramWithAMessage) {
    std::uint8_t points = 250;
    game::guardedAdd(points, 5, "playerPoints");
    EXPECT_EQ(points, 255);
    EXPECT_DEATH(game::guardedAdd(points, 1, "playerPoints"),
                 "playerPoints out of range \\(256\\)");

    std::int32_t money = -2147483647;
    game::guardedAdd(money, -1, "playerMoney");
    EXPECT_EQ(money, INT32_MIN);
    EXPECT_DEATH(game::guardedAdd(money, -1, "playerMoney"), "playerMoney out of range");
    EXPECT_DEATH(game::guardedSet(points, -1, "dealtCount"), "dealtCount out of range \\(-1\\)");
}

} // namespace
