#include "core/Trackable.h"

#include "core/MemoryTracker.h"

#include <cstdlib>

void* Trackable::operator new(std::size_t size) noexcept {
    void* address = std::malloc(size);
    if (address != nullptr && currentMemoryTracker != nullptr) {
        currentMemoryTracker->addAllocation(address, size);
    }
    return address;
}

void Trackable::operator delete(void* address) noexcept {
    if (currentMemoryTracker != nullptr) {
        currentMemoryTracker->removeAllocation(address);
    }
    std::free(address);
}
