#pragma once

#include "core/Event.h"

#include <cstdint>

// A hostile unit hits the player; amount is the change to the player's health, and the
// blow comes from where the unit stands.
class AttackEvent : public Event {
  public:
    explicit AttackEvent(int32_t amount, double fromX = 0.0, double fromY = 0.0)
        : Event(ATTACK_EVENT), amount(amount), fromX(fromX), fromY(fromY) {}

    int32_t amount;
    double fromX;
    double fromY;
};
