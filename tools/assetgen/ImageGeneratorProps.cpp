// The fireball's frames and the staff.
#include "ImageGenerator.h"

#include "Brushes.h"

#include <algorithm>
#include <cmath>

using namespace brushes;

Canvas ImageGenerator::fireballs() const {
    const int frames = 4;
    Canvas canvas(TILE * frames, TILE);
    for (int frame = 0; frame < frames; ++frame) {
        for (int y = 0; y < TILE; ++y) {
            for (int x = 0; x < TILE; ++x) {
                const double dx = x + 0.5 - 32.0;
                const double dy = y + 0.5 - 32.0;
                const double angle = std::atan2(dy, dx);
                const double flicker = noise.fractal(angle * 3.0 + frame * 1.7, frame * 2.3, 3, 0);
                const double radius = std::hypot(dx, dy) / (18.0 + 10.0 * flicker);
                if (radius >= 1.0) {
                    continue;
                }
                const double heat = 1.0 - radius;
                const Rgba core{1.0, 0.95, 0.7, 1.0};
                const Rgba flame{1.0, 0.45, 0.08, 1.0};
                const Rgba rim{0.7, 0.1, 0.02, 1.0};
                Rgba c = heat > 0.5 ? mixColour(flame, core, (heat - 0.5) * 2.0)
                                    : mixColour(rim, flame, heat * 2.0);
                c.a = smoothstep(0.0, 0.25, heat);
                canvas.at(frame * TILE + x, y) = c;
            }
        }
    }
    return canvas;
}

Canvas ImageGenerator::staff() const {
    Canvas canvas(SWORD_FRAME, SWORD_FRAME);
    for (int y = 0; y < SWORD_FRAME; ++y) {
        for (int x = 0; x < SWORD_FRAME; ++x) {
            const double across = x + 0.5 - (200.0 - y * 0.25);
            if (y > 70 && std::abs(across) < 7.0) {
                canvas.at(x, y) = wood(y, across + 7.0, 3, {0.45, 0.3, 0.16, 1.0});
            }
            const double gem = std::hypot(x + 0.5 - 182.0, y + 0.5 - 52.0);
            if (gem < 22.0) {
                const double glow = 1.0 - gem / 22.0;
                canvas.at(x, y) = {0.3 + 0.6 * glow, 0.5 + 0.5 * glow, 1.0,
                                   smoothstep(0.0, 0.3, glow)};
            }
        }
    }
    return canvas;
}
