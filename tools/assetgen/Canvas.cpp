#include "Canvas.h"

#include <algorithm>
#include <allegro5/allegro.h>
#include <allegro5/allegro_image.h>

namespace {
unsigned char toByte(double v) {
    return static_cast<unsigned char>(std::clamp(v, 0.0, 1.0) * 255.0 + 0.5);
}
} // namespace

Rgba mixColour(const Rgba& a, const Rgba& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

Rgba scaleColour(const Rgba& c, double factor) {
    return {c.r * factor, c.g * factor, c.b * factor, c.a};
}

Canvas::Canvas(int width, int height)
    : w(width), h(height), pixels(static_cast<size_t>(width) * height, Rgba{0, 0, 0, 0}) {}

void Canvas::blend(int x, int y, const Rgba& c) {
    if (x < 0 || y < 0 || x >= w || y >= h || c.a <= 0.0) {
        return;
    }
    Rgba& d = at(x, y);
    const double outA = c.a + d.a * (1.0 - c.a);
    if (outA <= 0.0) {
        return;
    }
    auto channel = [&](double src, double dst) {
        return (src * c.a + dst * d.a * (1.0 - c.a)) / outA;
    };
    d = {channel(c.r, d.r), channel(c.g, d.g), channel(c.b, d.b), outA};
}

bool Canvas::savePng(const std::string& path) const {
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    al_set_new_bitmap_format(ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE);
    ALLEGRO_BITMAP* bitmap = al_create_bitmap(w, h);
    if (bitmap == nullptr) {
        return false;
    }
    ALLEGRO_LOCKED_REGION* region =
        al_lock_bitmap(bitmap, ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE, ALLEGRO_LOCK_WRITEONLY);
    for (int y = 0; y < h; ++y) {
        auto* row = static_cast<unsigned char*>(region->data) + y * region->pitch;
        for (int x = 0; x < w; ++x) {
            const Rgba& p = at(x, y);
            // A fully transparent pixel is stored as transparent black.
            const bool clear = p.a <= 0.0;
            row[x * 4 + 0] = clear ? 0 : toByte(p.r);
            row[x * 4 + 1] = clear ? 0 : toByte(p.g);
            row[x * 4 + 2] = clear ? 0 : toByte(p.b);
            row[x * 4 + 3] = toByte(p.a);
        }
    }
    al_unlock_bitmap(bitmap);
    const bool saved = al_save_bitmap(path.c_str(), bitmap);
    al_destroy_bitmap(bitmap);
    return saved;
}
