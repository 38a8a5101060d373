#pragma once

#include <cstdint>

// What the player asks of the open map in one frame beyond opening, closing and marks
// (which are the PlayerCommand's, recorded with play): how it is looked at. Presses are
// first presses.
struct MapCommand {
    int8_t zoom = 0;      // steps in (+) or out (-): Page Up and Page Down, the wheel
    bool follow = false;  // F: between following the player and panning freely
    bool rotate = false;  // R: between north up and turning with the player
    bool grid = false;    // G: the grid on or off
    int32_t panRight = 0; // pixels, while it pans freely: the arrows, the pointer
    int32_t panDown = 0;
};
