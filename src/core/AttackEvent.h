#pragma once

#include "core/Event.h"

#include <cstdint>

// A hostile unit hits the player; amount is the change to the player's health.
class AttackEvent : public Event {
  public:
    explicit AttackEvent(int32_t amount) : Event(ATTACK_EVENT), amount(amount) {}

    int32_t amount;
};
