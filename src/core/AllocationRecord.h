#pragma once

#include <cstddef>
#include <cstdint>

// What the tracker remembers about one live allocation.
struct AllocationRecord {
    int32_t number;   // sequence number the allocation received
    std::size_t size; // requested size in bytes
};
