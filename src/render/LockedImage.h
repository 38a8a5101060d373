#pragma once

#include "render/PixelConversions.h"
#include "render/ShadeTable.h"

#include <algorithm>
#include <allegro5/allegro.h>
#include <array>
#include <cstdint>
#include <cstring>

// A bitmap the caller has locked, read and written straight through the locked memory
// with exactly the values al_get_pixel and al_put_pixel give: a channel byte v reads as
// v / 255.0f, and a channel f is stored as (int)(f * 255.0f), truncated. That holds for
// the 32-bit formats with 8-bit channels; any other format, and any colour outside 0..1,
// goes through those calls instead. Writes never leave the image. It does not own the
// bitmap or the lock, and writes through the library calls land on the current target,
// so an image that is written must be the target.
class LockedImage {
  public:
    // A colour encoded once for this image's format, to be stored in many pixels.
    struct Pixel {
        uint32_t bits = 0;
        bool direct = false; // false: written with al_put_pixel
        ALLEGRO_COLOR colour{};
    };

    // The part of a rectangle inside the image: [left, right) by [top, bottom), empty
    // when right <= left or bottom <= top.
    struct Area {
        int32_t left, top, right, bottom;
        bool empty() const { return right <= left || bottom <= top; }
    };

    // An image with no pixels: reads give transparent black, writes do nothing.
    LockedImage() = default;
    LockedImage(ALLEGRO_BITMAP* bitmap, const ALLEGRO_LOCKED_REGION* region);

    int32_t width() const { return imageWidth; }
    int32_t height() const { return imageHeight; }
    bool contains(int32_t x, int32_t y) const {
        // One unsigned comparison each: a negative coordinate wraps to a huge one.
        return static_cast<uint32_t>(x) < static_cast<uint32_t>(imageWidth) &&
               static_cast<uint32_t>(y) < static_cast<uint32_t>(imageHeight);
    }
    // True when pixels are read and written through memory rather than library calls.
    bool isDirect() const { return direct; }

    // The colour at (x, y); transparent black outside the image.
    ALLEGRO_COLOR read(int32_t x, int32_t y) const {
        if (!contains(x, y)) {
            return ALLEGRO_COLOR{0.0f, 0.0f, 0.0f, 0.0f};
        }
        if (!direct) {
            return al_get_pixel(bitmap, x, y);
        }
        const uint32_t bits = wordAt(x, y);
        return ALLEGRO_COLOR{
            BYTE_TO_FLOAT[(bits >> redShift) & 0xff], BYTE_TO_FLOAT[(bits >> greenShift) & 0xff],
            BYTE_TO_FLOAT[(bits >> blueShift) & 0xff], BYTE_TO_FLOAT[alphaByte(bits)]};
    }
    // The stored word at (x, y) of a direct image, 0 outside it.
    uint32_t word(int32_t x, int32_t y) const { return contains(x, y) ? wordAt(x, y) : 0; }
    // A word's alpha byte (255 for formats without alpha).
    uint32_t alphaByte(uint32_t bits) const { return ((bits >> alphaShift) | alphaFill) & 0xff; }

    // A channel as al_put_pixel stores it, or -1 when it is outside 0..1 (or not a number).
    static int storedByte(float channel) { return PixelConversions::storedByte(channel); }
    Pixel encode(const ALLEGRO_COLOR& colour) const;
    // The pixel for a word of the direct image `source` darkened as `shade` says, as
    // encode(darken(source.read(...))) would give it. This image must be direct too, and
    // the table exact.
    // The red, green and blue bytes of every pixel that is not transparent: those a shade
    // table is asked for when this image's pixels are shaded.
    // Only those of the rectangle [left, right) by [top, bottom) when it is given.
    ShadeTable::ByteSet opaqueChannelBytes(int32_t left = 0, int32_t top = 0,
                                           int32_t right = INT32_MAX,
                                           int32_t bottom = INT32_MAX) const {
        ShadeTable::ByteSet bytes{};
        const auto add = [&](uint32_t byte) { bytes[byte >> 6 & 3] |= uint64_t{1} << (byte & 63); };
        for (int32_t y = std::max(top, 0); y < std::min(bottom, imageHeight); ++y) {
            for (int32_t x = std::max(left, 0); x < std::min(right, imageWidth); ++x) {
                const uint32_t texel = wordAt(x, y);
                if (alphaByte(texel) != 0) {
                    add(texel >> redShift & 0xff);
                    add(texel >> greenShift & 0xff);
                    add(texel >> blueShift & 0xff);
                }
            }
        }
        return bytes;
    }

    Pixel shaded(const LockedImage& source, uint32_t texel, const ShadeTable& shade) const {
        Pixel pixel;
        pixel.direct = true;
        pixel.bits = shade.entry(texel >> source.redShift) << redShift |
                     shade.entry(texel >> source.greenShift) << greenShift |
                     shade.entry(texel >> source.blueShift) << blueShift |
                     (STORED_ALPHA[source.alphaByte(texel)] & alphaMask) << alphaShift | fixedBits;
        return pixel;
    }

    // One pixel, which the caller has made sure lies inside the image.
    void put(int32_t x, int32_t y, const Pixel& pixel) const {
        if (pixel.direct) {
            std::memcpy(rowStart(y) + 4 * static_cast<intptr_t>(x), &pixel.bits, sizeof pixel.bits);
        } else {
            al_put_pixel(x, y, pixel.colour);
        }
    }
    Area clip(int32_t x, int32_t y, int32_t w, int32_t h) const {
        const auto end = [](int32_t start, int32_t length, int32_t limit) {
            return static_cast<int32_t>(
                std::min<int64_t>(static_cast<int64_t>(start) + length, limit));
        };
        return Area{std::max(x, 0), std::max(y, 0), end(x, w, imageWidth), end(y, h, imageHeight)};
    }
    // Every pixel of the rectangle that lies inside the image.
    void fill(int32_t x, int32_t y, int32_t w, int32_t h, const Pixel& pixel) const {
        const Area area = clip(x, y, w, h);
        for (int32_t row = area.top; row < area.bottom; ++row) {
            putRun(area.left, row, area.right - area.left, pixel);
        }
    }
    // Rows [top, top + rows) of the columns already clipped to the image, as far as the
    // rows lie inside it: a block of a column of blocks, whose columns stay the same.
    void fillRows(const Area& columns, int32_t top, int32_t rows, const Pixel& pixel) const {
        const int32_t bottom = std::min(top + rows, imageHeight);
        for (int32_t row = std::max(top, 0); row < bottom; ++row) {
            putRun(columns.left, row, columns.right - columns.left, pixel);
        }
    }
    // `count` pixels of row y from x on, which the caller has made sure lie inside.
    void putRun(int32_t x, int32_t y, int32_t count, const Pixel& pixel) const {
        if (!pixel.direct) {
            for (int32_t i = 0; i < count; ++i) {
                al_put_pixel(x + i, y, pixel.colour);
            }
            return;
        }
        const uint32_t bits = pixel.bits; // a copy the stores below cannot alias
        uint8_t* start = rowStart(y) + 4 * static_cast<intptr_t>(x);
        // The passes write runs of a few pixels, where a loop costs more than its stores.
        switch (count) {
        case 4:
            std::memcpy(start + 12, &bits, sizeof bits);
            [[fallthrough]];
        case 3:
            std::memcpy(start + 8, &bits, sizeof bits);
            [[fallthrough]];
        case 2:
            std::memcpy(start + 4, &bits, sizeof bits);
            [[fallthrough]];
        case 1:
            std::memcpy(start, &bits, sizeof bits);
            return;
        default:
            for (int32_t i = 0; i < count; ++i) {
                std::memcpy(start + 4 * static_cast<intptr_t>(i), &bits, sizeof bits);
            }
        }
    }
    void fill(int32_t x, int32_t y, int32_t w, int32_t h, const ALLEGRO_COLOR& colour) const {
        fill(x, y, w, h, encode(colour));
    }

  private:
    // What an alpha byte, read and stored again unchanged, is stored as.
    static const std::array<uint32_t, 256> STORED_ALPHA;

    uint8_t* rowStart(int32_t y) const { return data + static_cast<intptr_t>(y) * pitch; }
    uint32_t wordAt(int32_t x, int32_t y) const {
        uint32_t bits;
        std::memcpy(&bits, rowStart(y) + 4 * static_cast<intptr_t>(x), sizeof bits);
        return bits;
    }
    bool describeFormat(int format);

    ALLEGRO_BITMAP* bitmap = nullptr;
    uint8_t* data = nullptr;
    intptr_t pitch = 0; // bytes from one row to the next; negative for bottom-up memory
    int32_t imageWidth = 0;
    int32_t imageHeight = 0;
    bool direct = false;
    // Where each 8-bit channel sits in a pixel's 32-bit word. A format without alpha reads
    // as opaque (alphaFill) and stores all ones in its unused byte (fixedBits).
    int redShift = 0, greenShift = 0, blueShift = 0, alphaShift = 0;
    uint32_t alphaFill = 0;
    uint32_t alphaMask = 0;
    uint32_t fixedBits = 0;
};
