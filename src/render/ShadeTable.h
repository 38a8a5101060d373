#pragma once

#include <array>
#include <cstdint>

// What darkening by one divisor makes of an 8-bit channel: a channel byte v, read as the
// library reads it, darkened (divided through double) and stored as the library stores
// it, becomes entry(v). Red, green and blue are divided alike, so one table serves all
// three, and a pass that darkens many pixels by the same divisor looks each one up
// instead of dividing three times.
class ShadeTable {
  public:
    void build(double divisor);
    // False when some channel would be stored out of range (a divisor below 1, or not a
    // number): such colours must go through the library's own conversion.
    bool exact() const { return allStored; }
    uint32_t entry(uint32_t byte) const { return stored[byte & 0xff]; }

  private:
    std::array<uint8_t, 256> stored{};
    bool allStored = false;
};
