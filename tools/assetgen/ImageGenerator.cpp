#include "ImageGenerator.h"

#include "Brushes.h"

#include <algorithm>
#include <cmath>

using namespace brushes;

void ImageGenerator::paintTile(Canvas& canvas, int tile, TilePainter painter) const {
    for (int y = 0; y < TILE; ++y) {
        for (int x = 0; x < TILE; ++x) {
            canvas.at(tile * TILE + x, y) = (this->*painter)(x, y);
        }
    }
}

Canvas ImageGenerator::textureStrip() const {
    Canvas canvas(TILE * TILE_COUNT, TILE);
    const TilePainter painters[TILE_COUNT] = {
        &ImageGenerator::flagstoneFloor, &ImageGenerator::mossPatch,
        &ImageGenerator::plankCeiling,   &ImageGenerator::greyStoneWall,
        &ImageGenerator::redBrickWall,   &ImageGenerator::woodPlankWall,
        &ImageGenerator::mossyStoneWall, &ImageGenerator::cobbleWall,
        &ImageGenerator::basaltWall,     &ImageGenerator::sandstoneWall,
        &ImageGenerator::ironDoorWall,   &ImageGenerator::runeWall,
    };
    for (int tile = 0; tile < TILE_COUNT; ++tile) {
        paintTile(canvas, tile, painters[tile]);
    }
    return canvas;
}

Rgba ImageGenerator::masonry(int x, int y, int blockW, int blockH, const Rgba& stone,
                             const Rgba& mortar, double roughness, unsigned salt) const {
    const BlockSpot spot = blockAt(x, y, blockW, blockH);
    const double grain = noise.fractal(x / 8.0 + salt, y / 8.0, 4, 8);
    const double ragged = (noise.fractal(x / 3.0, y / 3.0 + salt, 2, 0) - 0.5) * roughness;
    const double edge = spot.edge() + ragged;
    const double mortarWidth = 1.3;
    if (edge < mortarWidth) {
        return scaleColour(mortar, 0.75 + 0.5 * grain);
    }
    const double tint = 0.78 + 0.4 * noise.hash(spot.column + 31 * salt, spot.row + 7 * salt);
    double shade = tint * (0.72 + 0.56 * grain);
    // Light falls from above and the left: lit upper and left rims, shadowed lower ones.
    if (spot.top < 3.0 || spot.left < 2.5) {
        shade *= 1.18;
    } else if (spot.bottom < 3.0 || spot.right < 2.5) {
        shade *= 0.72;
    }
    // Pits and small cracks in the face of the stone.
    const double pits = noise.smooth(x * 0.9 + 100 * salt, y * 0.9, 0);
    if (pits > 0.86) {
        shade *= 0.7;
    }
    return scaleColour(stone, shade);
}

Rgba ImageGenerator::cobbles(int x, int y, int cell, const Rgba& stone, const Rgba& gap,
                             unsigned salt) const {
    // Worley cells that repeat every tile: irregular stones with dark joints.
    const int cells = TILE / cell;
    const int cx = x / cell;
    const int cy = y / cell;
    double nearest = 1e9, second = 1e9;
    int nearestId = 0;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int gx = cx + dx;
            const int gy = cy + dy;
            const int wx = ((gx % cells) + cells) % cells;
            const int wy = ((gy % cells) + cells) % cells;
            const double px = (gx + 0.2 + 0.6 * noise.hash(wx + salt, wy)) * cell;
            const double py = (gy + 0.2 + 0.6 * noise.hash(wx, wy + 17 * salt)) * cell;
            const double d = std::hypot(x + 0.5 - px, y + 0.5 - py);
            if (d < nearest) {
                second = nearest;
                nearest = d;
                nearestId = wy * cells + wx;
            } else if (d < second) {
                second = d;
            }
        }
    }
    const double joint = second - nearest;
    const double grain = noise.fractal(x / 6.0, y / 6.0 + salt, 3, 0);
    if (joint < 2.0) {
        return scaleColour(gap, 0.6 + 0.6 * grain);
    }
    const double tint = 0.75 + 0.45 * noise.hash(nearestId, 91 + salt);
    const double dome = 0.8 + 0.35 * smoothstep(2.0, 9.0, joint);
    return scaleColour(stone, tint * dome * (0.8 + 0.4 * grain));
}

Rgba ImageGenerator::wood(double along, double across, int plank, const Rgba& base) const {
    const double rings =
        std::sin(across * 1.7 + noise.fractal(along / 10.0, across / 3.0 + plank * 5, 3, 0) * 9.0);
    const double grain = noise.fractal(along / 24.0, across / 1.5 + plank * 11.0, 3, 0);
    const double tint = 0.8 + 0.35 * noise.hash(plank, 77);
    return scaleColour(base, tint * (0.78 + 0.12 * rings + 0.3 * grain));
}

Rgba ImageGenerator::flagstoneFloor(int x, int y) const {
    return cobbles(x, y, 16, rgb(112, 104, 92), rgb(34, 30, 26), 3);
}

Rgba ImageGenerator::mossPatch(int x, int y) const {
    const double grain = noise.fractal(x / 5.0, y / 5.0, 4, 12);
    return scaleColour(rgb(60, 92, 44), 0.6 + 0.7 * grain);
}

Rgba ImageGenerator::plankCeiling(int x, int y) const {
    const int plankWidth = 16;
    const int plank = y / plankWidth;
    const int inPlank = y % plankWidth;
    if (inPlank == 0 || inPlank == plankWidth - 1) {
        return rgb(22, 14, 8);
    }
    Rgba c = wood(x, inPlank, plank, rgb(96, 64, 38));
    // A beam across the planks every tile.
    if (x < 6) {
        c = scaleColour(wood(y, x, 99, rgb(70, 46, 28)), x == 0 || x == 5 ? 0.55 : 0.9);
    }
    return c;
}

Rgba ImageGenerator::greyStoneWall(int x, int y) const {
    return masonry(x, y, 32, 16, rgb(128, 126, 122), rgb(52, 50, 48), 1.2, 1);
}

Rgba ImageGenerator::redBrickWall(int x, int y) const {
    return masonry(x, y, 16, 8, rgb(150, 62, 44), rgb(92, 84, 74), 0.6, 2);
}

Rgba ImageGenerator::woodPlankWall(int x, int y) const {
    const int plankWidth = 16;
    const int plank = x / plankWidth;
    const int inPlank = x % plankWidth;
    const bool band = (y >= 10 && y < 16) || (y >= 48 && y < 54);
    if (band) {
        // Iron bands with a rivet on every plank.
        const bool rivet =
            std::hypot(inPlank + 0.5 - 8.0, (y < 32 ? y - 13.0 : y - 51.0) + 0.5) < 1.9;
        const double edge = (y == 10 || y == 48) ? 1.25 : (y == 15 || y == 53) ? 0.6 : 1.0;
        const Rgba iron = scaleColour(rgb(70, 70, 74),
                                      edge * (0.8 + 0.4 * noise.fractal(x / 4.0, y / 2.0, 3, 16)));
        return rivet ? rgb(150, 150, 156) : iron;
    }
    if (inPlank == 0) {
        return rgb(24, 16, 10);
    }
    Rgba c = wood(y, inPlank, plank, rgb(120, 82, 48));
    if (inPlank == 1) {
        c = scaleColour(c, 1.15);
    } else if (inPlank == plankWidth - 1) {
        c = scaleColour(c, 0.7);
    }
    return c;
}

Rgba ImageGenerator::mossyStoneWall(int x, int y) const {
    Rgba stone = masonry(x, y, 32, 16, rgb(112, 116, 104), rgb(40, 46, 34), 1.6, 4);
    // Moss creeps down from the joints and gathers low on the wall.
    const double moss = noise.fractal(x / 10.0, y / 10.0, 4, 6) + y / 160.0;
    const double amount = smoothstep(0.55, 0.75, moss);
    const Rgba green = scaleColour(rgb(64, 104, 40), 0.7 + 0.5 * noise.hash(x, y + 1000));
    return mixColour(stone, green, amount * 0.85);
}

Rgba ImageGenerator::cobbleWall(int x, int y) const {
    return cobbles(x, y, 11, rgb(118, 110, 100), rgb(40, 36, 32), 5);
}

Rgba ImageGenerator::basaltWall(int x, int y) const {
    return masonry(x, y, 64, 32, rgb(64, 70, 86), rgb(18, 20, 26), 2.0, 6);
}

Rgba ImageGenerator::sandstoneWall(int x, int y) const {
    Rgba c = masonry(x, y, 32, 32, rgb(186, 156, 104), rgb(110, 90, 60), 0.8, 7);
    // Layers in the stone.
    const double strata = std::sin(y * 0.9 + noise.fractal(x / 16.0, y / 8.0, 2, 4) * 6.0);
    return scaleColour(c, 0.94 + 0.06 * strata);
}

Rgba ImageGenerator::ironDoorWall(int x, int y) const {
    // A stone frame around a heavy studded wooden door.
    const bool frame = x < 6 || x >= 58 || y < 6;
    if (frame) {
        return masonry(x, y, 16, 12, rgb(110, 106, 100), rgb(44, 42, 40), 0.8, 8);
    }
    const int plank = (x - 6) / 13;
    const int inPlank = (x - 6) % 13;
    Rgba c = inPlank == 0 ? rgb(20, 12, 6) : wood(y, inPlank, plank + 20, rgb(104, 66, 36));
    const bool strap = (y >= 14 && y < 19) || (y >= 46 && y < 51);
    if (strap) {
        c = scaleColour(rgb(54, 54, 58), 0.85 + 0.3 * noise.smooth(x / 3.0, y, 0));
    }
    const double studX = (x - 6) % 13 - 6.0;
    const bool stud = (strap && std::abs(studX) < 1.6) || (std::hypot(x - 49.5, y - 34.5) < 3.0 &&
                                                           std::hypot(x - 49.5, y - 34.5) > 1.6);
    if (stud) {
        c = rgb(170, 168, 160);
    }
    if (x == 6 || y == 6) {
        c = scaleColour(c, 0.45);
    }
    return c;
}

Rgba ImageGenerator::runeWall(int x, int y) const {
    Rgba c = masonry(x, y, 32, 16, rgb(84, 80, 92), rgb(30, 28, 34), 1.0, 9);
    // A carved circle and triangle that glow a dull red.
    const double dx = x + 0.5 - 32.0;
    const double dy = y + 0.5 - 32.0;
    const double ring = std::abs(std::hypot(dx, dy) - 17.0);
    double line = ring;
    for (int side = 0; side < 3; ++side) {
        const double angle = PI / 2.0 + side * 2.0 * PI / 3.0;
        const double nx = std::cos(angle), ny = std::sin(angle);
        // Distance to the side of an equilateral triangle inscribed in the ring.
        line = std::min(line, std::abs(dx * nx + dy * ny + 8.5) +
                                  std::max(0.0, std::abs(-dx * ny + dy * nx) - 14.7));
    }
    const double glow = smoothstep(3.5, 0.0, line);
    const Rgba ember = {0.95, 0.22, 0.08, 1.0};
    return mixColour(c, ember, glow * 0.9);
}
