#pragma once

#include "core/Event.h"

#include <cstdint>

// The frame's turn: how far the pointer lies left of the reference column, in pixels,
// and the turning keys' one base turn (+1 left, -1 right, 0 none).
class MouseEvent : public Event {
  public:
    explicit MouseEvent(int32_t deltaX, int8_t keyTurn = 0)
        : Event(MOUSE_EVENT), deltaX(deltaX), keyTurn(keyTurn) {}

    int32_t deltaX;
    int8_t keyTurn;
};
