#pragma once

#include "core/Event.h"
#include "core/EventListener.h"
#include "core/EventType.h"

#include <map>

// Synchronous dispatcher: fireEvent calls every listener registered for the event's
// type, in registration order, before it returns.
class EventSystem {
  public:
    void addListener(EventType type, EventListener* listener);
    void removeListener(EventListener* listener);
    void fireEvent(const Event& event);

  private:
    void eraseRemovedEntries();

    std::multimap<EventType, EventListener*> listeners;
    // While a delivery runs, removed registrations are only blanked, so that the
    // iterators of every delivery in progress stay valid; they are erased afterwards.
    int deliveryDepth = 0;
    bool hasBlankedEntries = false;
};
