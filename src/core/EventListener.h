#pragma once

#include "core/Event.h"

// Anything that reacts to events; it receives every type it registered for here.
class EventListener {
  public:
    virtual ~EventListener() = default;
    virtual void handleEvent(const Event& event) = 0;
};
