#pragma once

#include "core/Event.h"

#include <cstdint>

// A movement key held this poll; one axis per event, the other field 0.
class MoveEvent : public Event {
  public:
    MoveEvent(int16_t strafe, int16_t forward)
        : Event(MOVE_EVENT), strafe(strafe), forward(forward) {}

    int16_t strafe;  // -1 left, +1 right
    int16_t forward; // +1 ahead, -1 back
};
