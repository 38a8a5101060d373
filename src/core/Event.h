#pragma once

#include "core/EventType.h"

// An event carrying only its kind. Events live on the sender's stack, never on the heap.
class Event {
  public:
    explicit Event(EventType type) : type(type) {}
    virtual ~Event() = default;

    EventType type;
};
