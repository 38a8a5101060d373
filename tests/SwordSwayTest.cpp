#include "game/SwordSway.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<int> footstepFrames(bool running, int frames) {
    SwordSway sway(400);
    std::vector<int> steps;
    for (int frame = 1; frame <= frames; ++frame) {
        if (sway.step(running)) {
            steps.push_back(frame);
        }
    }
    return steps;
}

TEST(SwordSwayTest, TheSwordRestsAtItsColumnThreeHundredPixelsAboveTheBottom) {
    SwordSway sway(400);
    EXPECT_EQ(sway.swordX, 150);
    EXPECT_EQ(sway.swordY, 100);
}

TEST(SwordSwayTest, WalkingSwaysToOneFiftyEightTurnsAndSwaysBack) {
    SwordSway sway(400);
    for (int x = 151; x <= 157; ++x) {
        EXPECT_FALSE(sway.step(false));
        EXPECT_EQ(sway.swordX, x);
    }
    EXPECT_TRUE(sway.step(false)); // 158: turn, with a footstep
    EXPECT_EQ(sway.swordY, 110);   // dipped by (8 * 0.4)^2 = 10.24, truncated
    EXPECT_FALSE(sway.swayRight);
    EXPECT_FALSE(sway.step(false));
    EXPECT_EQ(sway.swordX, 157);
}

TEST(SwordSwayTest, AFootstepEverySixteenWalkingOrEightRunningFrames) {
    EXPECT_EQ(footstepFrames(false, 60), std::vector<int>({8, 24, 40, 56}));
    EXPECT_EQ(footstepFrames(true, 30), std::vector<int>({4, 12, 20, 28}));
}

TEST(SwordSwayTest, TheDipIsTheSameOnBothSides) {
    SwordSway sway(400);
    while (sway.swordX != 142) {
        sway.step(false);
    }
    EXPECT_EQ(sway.swordY, 110);
}

} // namespace
