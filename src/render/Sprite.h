#pragma once

#include "core/Trackable.h"
#include "render/ImageBuffer.h"

#include <cstdint>

// A rectangle of an image buffer; the buffer belongs to the BufferManager.
class Sprite : public Trackable {
  public:
    Sprite(ImageBuffer* buffer, int32_t x, int32_t y, int32_t w, int32_t h)
        : buffer(buffer), x(x), y(y), w(w), h(h) {}

    ImageBuffer* buffer;
    int32_t x;
    int32_t y;
    int32_t w;
    int32_t h;
};
