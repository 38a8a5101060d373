#include "render/BitmapLock.h"

BitmapLock::BitmapLock(ALLEGRO_BITMAP* bitmap, int flags) : bitmap(bitmap) {
    if (bitmap == nullptr) {
        return;
    }
    region = al_lock_bitmap(bitmap, al_get_bitmap_format(bitmap), flags);
    if (region != nullptr) {
        pixels = LockedImage(bitmap, region);
    }
}

BitmapLock::~BitmapLock() {
    // Allegro asserts on unlocking a bitmap that is not locked.
    if (region != nullptr) {
        al_unlock_bitmap(bitmap);
    }
}
