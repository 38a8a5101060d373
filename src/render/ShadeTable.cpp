#include "render/ShadeTable.h"

#include "render/PixelConversions.h"

void ShadeTable::prepare(double divisor, double first) {
    firstDivisor = first;
    secondDivisor = divisor;
    inRange = divisor >= 1.0 && first >= 1.0;
    known.fill(0);
}

void ShadeTable::workOut(const ByteSet& bytes) {
    for (uint32_t byte = 0; byte < 256; ++byte) {
        if ((bytes[byte >> 6] >> (byte & 63) & 1) != 0) {
            entry(byte);
        }
    }
}

uint8_t ShadeTable::workOut(uint32_t byte) const {
    const float channel = BYTE_TO_FLOAT[byte];
    const ALLEGRO_COLOR grey{channel, channel, channel, 1.0f};
    const ALLEGRO_COLOR once = PixelConversions::darken(grey, firstDivisor);
    // In range whenever both divisors are 1 or more: a channel only gets darker.
    return static_cast<uint8_t>(
        PixelConversions::storedByte(PixelConversions::darken(once, secondDivisor).r));
}
