#include "render/ShadeTable.h"

#include "render/Camera.h"
#include "render/LockedImage.h"

void ShadeTable::build(double divisor) {
    allStored = true;
    for (int value = 0; value < 256; ++value) {
        const float channel = BYTE_TO_FLOAT[value];
        const ALLEGRO_COLOR grey{channel, channel, channel, 1.0f};
        const int byte = LockedImage::storedByte(Camera::darken(grey, divisor).r);
        allStored = allStored && byte >= 0;
        stored[value] = static_cast<uint8_t>(byte);
    }
}
