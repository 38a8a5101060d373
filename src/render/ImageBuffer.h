#pragma once

#include "core/Trackable.h"

#include <allegro5/allegro.h>

// One loaded image file. The bitmap is null when the file could not be loaded; it
// belongs to whoever stores the buffer (the BufferManager destroys it).
class ImageBuffer : public Trackable {
  public:
    // Loads the file into memory, where the drawing passes read it texel by texel. (A
    // file that fails to load part-way as a video bitmap leaves the display unable to
    // close; loaded in memory it leaves nothing behind.)
    explicit ImageBuffer(const char* path);
    // An image made in memory rather than loaded.
    explicit ImageBuffer(ALLEGRO_BITMAP* bitmap) : bitmap(bitmap) {}

    // Moves the image onto the graphics card when there is a display, for an image that
    // is only ever drawn whole, with blits.
    void moveToVideo();

    ALLEGRO_BITMAP* bitmap;
};
