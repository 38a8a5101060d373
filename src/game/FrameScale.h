#pragma once

#include <cstdint>

// Where a frame drawn at its own size goes on a larger screen: magnified by the largest
// whole number that fits, so every pixel becomes a k by k block, and centred, with black
// bars around it. A screen smaller than the frame shows it unmagnified.
struct FrameScale {
    int32_t factor = 1;
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0; // of the magnified frame
    int32_t height = 0;

    static FrameScale fit(int32_t frameWidth, int32_t frameHeight, int32_t screenWidth,
                          int32_t screenHeight);
    // The largest size that keeps the frame's shape, centred; factor is still the whole
    // number fit gives, the step a frame is magnified by before it is smoothed to size.
    static FrameScale fill(int32_t frameWidth, int32_t frameHeight, int32_t screenWidth,
                           int32_t screenHeight);
};
