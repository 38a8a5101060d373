#pragma once

#include "render/LockedImage.h"

#include <allegro5/allegro.h>

// A bitmap locked for pixel access for as long as this lives: locked in its own format
// when made, unlocked when gone. A null bitmap, or one that cannot be locked, gives an
// image without pixels, which reads as transparent black and ignores writes.
class BitmapLock {
  public:
    // flags: ALLEGRO_LOCK_READONLY, ALLEGRO_LOCK_WRITEONLY or ALLEGRO_LOCK_READWRITE.
    BitmapLock(ALLEGRO_BITMAP* bitmap, int flags);
    ~BitmapLock();
    BitmapLock(const BitmapLock&) = delete;
    BitmapLock& operator=(const BitmapLock&) = delete;

    bool locked() const { return region != nullptr; }
    ALLEGRO_BITMAP* bitmapLocked() const { return bitmap; }
    // The locked pixels; writes through library calls land on the current target, so a
    // bitmap that is written must be the target.
    const LockedImage& image() const { return pixels; }

  private:
    ALLEGRO_BITMAP* bitmap;
    ALLEGRO_LOCKED_REGION* region = nullptr;
    LockedImage pixels;
};
