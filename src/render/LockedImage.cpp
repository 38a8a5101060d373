#include "render/LockedImage.h"

#include <algorithm>
#include <array>

namespace {

bool littleEndian() {
    const uint32_t probe = 1;
    uint8_t first;
    std::memcpy(&first, &probe, 1);
    return first == 1;
}

std::array<uint32_t, 256> storedAlphaTable() {
    std::array<uint32_t, 256> table{};
    for (int value = 0; value < 256; ++value) {
        table[value] = static_cast<uint32_t>(LockedImage::storedByte(BYTE_TO_FLOAT[value]));
    }
    return table;
}

} // namespace

const std::array<uint32_t, 256> LockedImage::STORED_ALPHA = storedAlphaTable();

LockedImage::LockedImage(ALLEGRO_BITMAP* bitmap, const ALLEGRO_LOCKED_REGION* region)
    : bitmap(bitmap) {
    if (bitmap == nullptr || region == nullptr) {
        return;
    }
    imageWidth = al_get_bitmap_width(bitmap);
    imageHeight = al_get_bitmap_height(bitmap);
    data = static_cast<uint8_t*>(region->data);
    pitch = region->pitch;
    direct = region->pixel_size == 4 && describeFormat(region->format);
}

bool LockedImage::describeFormat(int format) {
    struct Layout {
        int format, red, green, blue, alpha;
        bool hasAlpha;
    };
    static const Layout LAYOUTS[] = {
        {ALLEGRO_PIXEL_FORMAT_ARGB_8888, 16, 8, 0, 24, true},
        {ALLEGRO_PIXEL_FORMAT_RGBA_8888, 24, 16, 8, 0, true},
        {ALLEGRO_PIXEL_FORMAT_ABGR_8888, 0, 8, 16, 24, true},
        {ALLEGRO_PIXEL_FORMAT_XBGR_8888, 0, 8, 16, 24, false},
        {ALLEGRO_PIXEL_FORMAT_RGBX_8888, 24, 16, 8, 0, false},
        {ALLEGRO_PIXEL_FORMAT_XRGB_8888, 16, 8, 0, 24, false},
        // Bytes in red, green, blue, alpha order: ABGR read as a little-endian word.
        {ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE, 0, 8, 16, 24, true},
    };
    for (const Layout& layout : LAYOUTS) {
        if (layout.format != format) {
            continue;
        }
        if (format == ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE && !littleEndian()) {
            return false;
        }
        redShift = layout.red;
        greenShift = layout.green;
        blueShift = layout.blue;
        alphaShift = layout.alpha;
        alphaFill = layout.hasAlpha ? 0u : 0xffu;
        alphaMask = layout.hasAlpha ? 0xffu : 0u;
        fixedBits = layout.hasAlpha ? 0u : 0xffu << layout.alpha;
        return true;
    }
    return false;
}

LockedImage::Pixel LockedImage::encode(const ALLEGRO_COLOR& colour) const {
    Pixel pixel;
    pixel.colour = colour;
    if (!direct) {
        return pixel;
    }
    const int red = storedByte(colour.r);
    const int green = storedByte(colour.g);
    const int blue = storedByte(colour.b);
    const int alpha = alphaMask != 0 ? storedByte(colour.a) : 0;
    if (red < 0 || green < 0 || blue < 0 || alpha < 0) {
        return pixel;
    }
    pixel.bits = static_cast<uint32_t>(red) << redShift |
                 static_cast<uint32_t>(green) << greenShift |
                 static_cast<uint32_t>(blue) << blueShift |
                 (static_cast<uint32_t>(alpha) & alphaMask) << alphaShift | fixedBits;
    pixel.direct = true;
    return pixel;
}
