#pragma once

#include "core/Trackable.h"

#include <allegro5/allegro.h>

// One loaded image file. The bitmap is null when the file could not be loaded; it
// belongs to whoever stores the buffer (the BufferManager destroys it).
class ImageBuffer : public Trackable {
  public:
    explicit ImageBuffer(const char* path);
    // An image made in memory rather than loaded.
    explicit ImageBuffer(ALLEGRO_BITMAP* bitmap) : bitmap(bitmap) {}
    ~ImageBuffer();
    ImageBuffer(const ImageBuffer&) = delete;
    ImageBuffer& operator=(const ImageBuffer&) = delete;

    // For an image the drawing passes sample pixel by pixel: keeps a copy in memory, since
    // locking a bitmap that lives on the graphics card copies it back every time.
    void keepMemoryCopy();
    // The bitmap to read pixels from: the memory copy when there is one.
    ALLEGRO_BITMAP* pixelSource() const { return memoryCopy != nullptr ? memoryCopy : bitmap; }

    // Set by whoever locks the pixel source for pixel access.
    ALLEGRO_LOCKED_REGION* lockedRegion = nullptr;
    ALLEGRO_BITMAP* bitmap;

  private:
    ALLEGRO_BITMAP* memoryCopy = nullptr;
};
