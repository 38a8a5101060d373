#pragma once

#include "core/Trackable.h"

#include <allegro5/allegro.h>

// One loaded image file. The bitmap is null when the file could not be loaded.
class ImageBuffer : public Trackable {
  public:
    explicit ImageBuffer(const char* path);
    // An image made in memory rather than loaded.
    explicit ImageBuffer(ALLEGRO_BITMAP* bitmap) : bitmap(bitmap) {}

    // Set by whoever locks the bitmap for pixel access.
    ALLEGRO_LOCKED_REGION* lockedRegion = nullptr;
    ALLEGRO_BITMAP* bitmap;
};
