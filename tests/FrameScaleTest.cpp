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

// Filling keeps the 3:2 shape and the whole number the frame is first magnified by.
TEST(FrameScaleTest, FillTakesTheLargestSizeOfTheFramesShape) {
    const FrameScale hd = FrameScale::fill(600, 400, 1920, 1080);
    EXPECT_EQ(hd.width, 1620);
    EXPECT_EQ(hd.height, 1080);
    EXPECT_EQ(hd.left, 150);
    EXPECT_EQ(hd.top, 0);
    EXPECT_EQ(hd.factor, 2);
    const FrameScale tall = FrameScale::fill(600, 400, 1280, 1024);
    EXPECT_EQ(tall.width, 1280);
    EXPECT_EQ(tall.height, 853);
    EXPECT_EQ(tall.top, (1024 - 853) / 2);
    for (int w = 600; w <= 2600; w += 37) {
        for (int h = 400; h <= 1700; h += 41) {
            const FrameScale fill = FrameScale::fill(600, 400, w, h);
            const FrameScale fit = FrameScale::fit(600, 400, w, h);
            ASSERT_TRUE(fill.width == w || fill.height == h) << w << "x" << h;
            ASSERT_LE(fill.width, w);
            ASSERT_LE(fill.height, h);
            ASSERT_GE(fill.width, fit.width);
            ASSERT_LE(std::abs(fill.width * 2 - fill.height * 3), 3) << w << "x" << h;
        }
    }
    EXPECT_EQ(FrameScale::fill(600, 400, 500, 300).width, 600); // smaller: not magnified
}
