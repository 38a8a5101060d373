#pragma once

#include "core/Event.h"

#include <cstdint>

// The frame's turn: how far the pointer lies left of the reference column, in pixels,
// the turning keys' one base turn (+1 left, -1 right, 0 none), and a pad stick's turn in
// thousandths of a base turn (+ left).
class MouseEvent : public Event {
  public:
    explicit MouseEvent(int32_t deltaX, int8_t keyTurn = 0, int16_t stickTurn = 0)
        : Event(MOUSE_EVENT), deltaX(deltaX), keyTurn(keyTurn), stickTurn(stickTurn) {}

    int32_t deltaX;
    int8_t keyTurn;
    int16_t stickTurn;
};
