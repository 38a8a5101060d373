#include "render/ImageBuffer.h"

ImageBuffer::ImageBuffer(const char* path) : bitmap(al_load_bitmap(path)) {}

ImageBuffer::~ImageBuffer() {
    if (memoryCopy != nullptr) {
        al_destroy_bitmap(memoryCopy);
    }
}

void ImageBuffer::keepMemoryCopy() {
    if (bitmap == nullptr || memoryCopy != nullptr ||
        (al_get_bitmap_flags(bitmap) & ALLEGRO_MEMORY_BITMAP) != 0) {
        return;
    }
    const int previousFlags = al_get_new_bitmap_flags();
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    memoryCopy = al_clone_bitmap(bitmap);
    al_set_new_bitmap_flags(previousFlags);
}
