#pragma once

#include <cstddef>

// Base of the game's own heap objects. It only replaces single-object allocation so
// that the current MemoryTracker sees every such object for as long as it lives.
class Trackable {
  public:
    // Non-throwing: a failed allocation yields a null pointer and runs no constructor.
    static void* operator new(std::size_t size) noexcept;
    static void operator delete(void* address) noexcept;
};
