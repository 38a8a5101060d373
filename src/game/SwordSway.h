#pragma once

#include <cstdint>

// The sword picture's sway while the player walks: it swings a few pixels left and
// right of its rest column, dipping as it moves away, and each turn is a footstep.
class SwordSway {
  public:
    explicit SwordSway(int32_t screenHeight);

    // One walking frame. True when the sway turned, which is when a footstep sounds.
    bool step(bool running);

    int16_t swordX;
    int16_t swordY;
    bool swayRight = true;

    static const int16_t REST_X = 150;
    static const int16_t HEIGHT = 300; // the sword stands this far above the bottom edge

  private:
    int32_t screenHeight;
};
