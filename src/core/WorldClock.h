#pragma once

#include "core/Trackable.h"

#include <cstdint>

// The world's time, in nanoseconds. It moves only when told: once a frame of play, by the
// time that frame took, or in a replay by the time the recorded frame took; so whatever
// the world measures by it (a unit's steps, the animations, the HUD's notices) comes out
// the same in a replay. The wait between frames stays on the real clock.
class WorldClock : public Trackable {
  public:
    int64_t now() const { return counts; }
    void advance(int64_t nanoseconds) {
        if (nanoseconds > 0) {
            counts += nanoseconds;
        }
    }

  private:
    // Never zero, which a timer's stop takes for "running".
    int64_t counts = 1000000000;
};
