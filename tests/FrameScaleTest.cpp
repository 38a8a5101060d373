#include "game/FrameScale.h"

#include <cstdlib>
#include <gtest/gtest.h>

TEST(FrameScaleTest, CommonScreensTakeTheLargestWholeScaleCentred) {
    const FrameScale hd = FrameScale::fit(600, 400, 1920, 1080);
    EXPECT_EQ(hd.factor, 2);
    EXPECT_EQ(hd.left, 360);
    EXPECT_EQ(hd.top, 140);
    EXPECT_EQ(hd.width, 1200);
    EXPECT_EQ(hd.height, 800);
    const FrameScale uhd = FrameScale::fit(600, 400, 3840, 2160);
    EXPECT_EQ(uhd.factor, 5);
    EXPECT_EQ(uhd.left, 420);
    EXPECT_EQ(uhd.top, 80);
    const FrameScale own = FrameScale::fit(600, 400, 600, 400);
    EXPECT_EQ(own.factor, 1);
    EXPECT_EQ(own.left, 0);
    EXPECT_EQ(own.top, 0);
}

// Every screen from smaller than the frame to four times its size: the magnified frame
// fits (unless even one to one does not), a larger factor would not, and the bars on
// either side differ by at most a pixel.
TEST(FrameScaleTest, AnyScreenSizeFitsTheFrameBetweenEvenBars) {
    for (int screenWidth = 300; screenWidth <= 2400; screenWidth += 7) {
        for (int screenHeight = 200; screenHeight <= 1600; screenHeight += 11) {
            const FrameScale scale = FrameScale::fit(600, 400, screenWidth, screenHeight);
            ASSERT_GE(scale.factor, 1);
            ASSERT_EQ(scale.width, 600 * scale.factor);
            ASSERT_EQ(scale.height, 400 * scale.factor);
            const bool fits = scale.width <= screenWidth && scale.height <= screenHeight;
            ASSERT_TRUE(fits || scale.factor == 1) << screenWidth << "x" << screenHeight;
            ASSERT_TRUE(600 * (scale.factor + 1) > screenWidth ||
                        400 * (scale.factor + 1) > screenHeight);
            const int rightBar = screenWidth - scale.left - scale.width;
            const int bottomBar = screenHeight - scale.top - scale.height;
            ASSERT_LE(std::abs(rightBar - scale.left), 1);
            ASSERT_LE(std::abs(bottomBar - scale.top), 1);
        }
    }
}
