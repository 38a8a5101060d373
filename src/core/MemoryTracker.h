#pragma once

#include "core/AllocationRecord.h"

#include <cstdint>
#include <map>
#include <ostream>

// Registry of the live Trackable allocations, printed as a leak report when the game ends.
class MemoryTracker {
  public:
    MemoryTracker() = default;
    MemoryTracker(const MemoryTracker&) = delete;
    MemoryTracker& operator=(const MemoryTracker&) = delete;
    ~MemoryTracker();

    void addAllocation(void* address, std::size_t size);
    void removeAllocation(void* address);
    void reportAllocations(std::ostream& out) const;

    // Shared by every tracker of the process; advances only when a record is added.
    static int32_t nextAllocationNumber;

  private:
    // Records are listed by address, compared as unsigned numbers.
    struct ByAddress {
        bool operator()(const void* a, const void* b) const {
            return reinterpret_cast<std::uintptr_t>(a) < reinterpret_cast<std::uintptr_t>(b);
        }
    };
    std::map<void*, AllocationRecord, ByAddress> allocations;
};

// The tracker that Trackable allocations are recorded in; null when none is current.
extern MemoryTracker* currentMemoryTracker;
