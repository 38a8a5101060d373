#pragma once

#include <array>
#include <cstdint>

// What darkening makes of an 8-bit channel: a channel byte v, read as the library reads
// it, darkened (divided through double, by one divisor and then perhaps another) and
// stored as the library stores it, becomes entry(v). Red, green and blue are divided
// alike, so one table serves all three, and a pass that darkens many pixels alike looks
// each value up instead of dividing three times. Entries are worked out the first time
// they are asked for, so a table is cheap to set up for a handful of pixels.
class ShadeTable {
  public:
    // A set of channel bytes, bit v for byte v.
    using ByteSet = std::array<uint64_t, 4>;

    // Darkening by `divisor`, after darkening by `first` (1 changes nothing).
    void prepare(double divisor, double first = 1.0);
    // The entries of these bytes worked out now: a table that is then asked only for them
    // is only read, and several threads may share it.
    void workOut(const ByteSet& bytes);
    // False for a divisor below 1 (or not a number), which could brighten a channel out
    // of range: such colours must go through the library's own conversion.
    bool exact() const { return inRange; }
    uint32_t entry(uint32_t byte) const {
        byte &= 0xff;
        const uint64_t bit = uint64_t{1} << (byte & 63);
        if ((known[byte >> 6] & bit) == 0) {
            stored[byte] = workOut(byte);
            known[byte >> 6] |= bit;
        }
        return stored[byte];
    }

  private:
    uint8_t workOut(uint32_t byte) const;

    double firstDivisor = 1.0;
    double secondDivisor = 1.0;
    bool inRange = false;
    mutable std::array<uint64_t, 4> known{};
    mutable std::array<uint8_t, 256> stored{};
};
