#include "render/ImageBuffer.h"

namespace {

ALLEGRO_BITMAP* loadIntoMemory(const char* path) {
    const int previousFlags = al_get_new_bitmap_flags();
    al_set_new_bitmap_flags((previousFlags & ~ALLEGRO_VIDEO_BITMAP) | ALLEGRO_MEMORY_BITMAP);
    ALLEGRO_BITMAP* bitmap = al_load_bitmap(path);
    al_set_new_bitmap_flags(previousFlags);
    return bitmap;
}

} // namespace

ImageBuffer::ImageBuffer(const char* path) : bitmap(loadIntoMemory(path)) {}

void ImageBuffer::moveToVideo() {
    if (bitmap != nullptr && al_get_current_display() != nullptr) {
        const int previousFlags = al_get_new_bitmap_flags();
        al_set_new_bitmap_flags(ALLEGRO_VIDEO_BITMAP);
        al_convert_bitmap(bitmap);
        al_set_new_bitmap_flags(previousFlags);
    }
}
