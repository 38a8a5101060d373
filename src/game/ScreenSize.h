#pragma once

#include <cstdint>

// The size of the window the game is started with.
struct ScreenSize {
    int16_t width;
    int16_t height;
};
