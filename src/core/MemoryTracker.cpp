#include "core/MemoryTracker.h"

#include <iostream>

int32_t MemoryTracker::nextAllocationNumber = 0;
MemoryTracker* currentMemoryTracker = nullptr;

MemoryTracker::~MemoryTracker() {
    std::cout << "MemoryTracker being deleted: final allocations follow:\n";
    reportAllocations(std::cout);
}

void MemoryTracker::addAllocation(void* address, std::size_t size) {
    // A second record for the same address keeps the first one and uses no number.
    if (allocations.count(address) != 0) {
        return;
    }
    allocations.emplace(address, AllocationRecord{nextAllocationNumber, size});
    ++nextAllocationNumber;
}

void MemoryTracker::removeAllocation(void* address) {
    allocations.erase(address);
}

void MemoryTracker::reportAllocations(std::ostream& out) const {
    out << "Current memory allocations:\n";
    for (const auto& [address, record] : allocations) {
        out << "address:" << address << " size:" << record.size << " num:" << record.number
            << std::endl;
    }
}
