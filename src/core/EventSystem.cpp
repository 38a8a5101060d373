#include "core/EventSystem.h"

void EventSystem::addListener(EventType type, EventListener* listener) {
    // A multimap inserts equal keys after the existing ones: registration order is kept.
    listeners.emplace(type, listener);
}

void EventSystem::removeListener(EventListener* listener) {
    for (auto it = listeners.begin(); it != listeners.end();) {
        if (it->second != listener) {
            ++it;
        } else if (deliveryDepth > 0) {
            it->second = nullptr;
            hasBlankedEntries = true;
            ++it;
        } else {
            it = listeners.erase(it);
        }
    }
}

void EventSystem::fireEvent(const Event& event) {
    const auto end = listeners.upper_bound(event.type); // fixed before any handler runs
    ++deliveryDepth;
    for (auto it = listeners.lower_bound(event.type); it != end; ++it) {
        if (it->second != nullptr) {
            it->second->handleEvent(event);
        }
    }
    --deliveryDepth;
    if (deliveryDepth == 0 && hasBlankedEntries) {
        eraseRemovedEntries();
    }
}

void EventSystem::eraseRemovedEntries() {
    for (auto it = listeners.begin(); it != listeners.end();) {
        it = it->second == nullptr ? listeners.erase(it) : std::next(it);
    }
    hasBlankedEntries = false;
}
