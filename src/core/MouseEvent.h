#pragma once

#include "core/Event.h"

#include <cstdint>

// The mouse poll: how far the pointer lies left of the reference column, in pixels.
class MouseEvent : public Event {
  public:
    explicit MouseEvent(int32_t deltaX) : Event(MOUSE_EVENT), deltaX(deltaX) {}

    int32_t deltaX;
};
