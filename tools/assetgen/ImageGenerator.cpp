#include "ImageGenerator.h"

#include <algorithm>
#include <cmath>

namespace {

const double PI = 3.14159265358979323846;

double clamp01(double v) {
    return std::clamp(v, 0.0, 1.0);
}

double smoothstep(double edge0, double edge1, double v) {
    const double t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

Rgba rgb(int r, int g, int b) {
    return {r / 255.0, g / 255.0, b / 255.0, 1.0};
}

int wrapTile(int v) {
    return ((v % ImageGenerator::TILE) + ImageGenerator::TILE) % ImageGenerator::TILE;
}

// Where a pixel falls in a running bond of blocks: which block, and how far the pixel
// lies from each of the block's edges.
struct BlockSpot {
    int column, row;
    double left, right, top, bottom;
    double edge() const { return std::min(std::min(left, right), std::min(top, bottom)); }
};

BlockSpot blockAt(int x, int y, int blockW, int blockH) {
    const int row = y / blockH;
    const int shifted = wrapTile(x + (row % 2) * blockW / 2);
    const int column = shifted / blockW;
    const double inX = shifted - column * blockW + 0.5;
    const double inY = y - row * blockH + 0.5;
    return {column, row, inX, blockW - inX, inY, blockH - inY};
}

} // namespace

template <typename Sampler>
void ImageGenerator::supersample(Canvas& canvas, int left, int size, int samples, bool hardEdges,
                                 Sampler sample) {
    const double perPixel = samples * samples;
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            Rgba sum{0, 0, 0, 0};
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const Rgba c = sample(px + (sx + 0.5) / samples, py + (sy + 0.5) / samples);
                    sum = {sum.r + c.r * c.a, sum.g + c.g * c.a, sum.b + c.b * c.a, sum.a + c.a};
                }
            }
            if (sum.a <= 0.0) {
                continue;
            }
            const double coverage = sum.a / perPixel;
            const double alpha = hardEdges ? (coverage >= 0.5 ? 1.0 : 0.0) : coverage;
            canvas.at(left + px, py) = {sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, alpha};
        }
    }
}

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

Canvas ImageGenerator::skulls() const {
    Canvas canvas(TILE * SKULL_FRAMES, TILE);
    for (int frame = 0; frame < SKULL_FRAMES; ++frame) {
        paintSkull(canvas, frame);
    }
    return canvas;
}

namespace {

double ellipseField(double x, double y, double cx, double cy, double rx, double ry) {
    const double nx = (x - cx) / rx;
    const double ny = (y - cy) / ry;
    return std::sqrt(nx * nx + ny * ny) - 1.0; // below 0 inside
}

double roundedBox(double x, double y, double cx, double cy, double hw, double hh, double r) {
    const double qx = std::abs(x - cx) - hw + r;
    const double qy = std::abs(y - cy) - hh + r;
    return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - r;
}

// The skull, in pixels around its centre: returns the colour of one sample point.
Rgba skullSample(double x, double y, double jaw, bool hurt) {
    const Rgba bone = hurt ? Rgba{0.92, 0.42, 0.36, 1.0} : Rgba{0.91, 0.87, 0.76, 1.0};
    const double cranium = ellipseField(x, y, 0.0, -6.0, 17.0, 16.0) * 16.0;
    const double cheeks = roundedBox(x, y, 0.0, 7.5, 12.5, 7.5, 4.0);
    const double jawBone = roundedBox(x, y, 0.0, 18.5 + jaw, 9.5, 4.0, 3.0);
    const double hinges =
        roundedBox(std::abs(x), y, 10.0, 15.0 + jaw / 2.0, 1.2, 3.0 + jaw / 2.0, 0.5);
    const double solid = std::min(std::min(cranium, cheeks), std::min(jawBone, hinges));
    if (solid > 0.0) {
        return {0, 0, 0, 0};
    }
    // Deep sockets, a nose hole and the gaps between the teeth.
    const double leftEye = ellipseField(x, y, -7.0, 2.0, 5.2, 4.6);
    const double rightEye = ellipseField(x, y, 7.0, 2.0, 5.2, 4.6);
    const double eyes = std::min(leftEye, rightEye);
    const bool nose = y > 6.5 && y < 11.0 && std::abs(x) < (y - 6.5) * 0.5 + 0.6;
    const bool upperTeeth = y > 11.5 && y < 15.0 && std::abs(x) < 8.0;
    const bool lowerTeeth = y > 15.0 + jaw && y < 18.5 + jaw && std::abs(x) < 7.5;
    const bool toothGap =
        (upperTeeth || lowerTeeth) && std::abs(std::fmod(x + 30.0, 3.2) - 1.6) < 0.45;
    const bool mouthGap = std::abs(x) < 8.5 && y >= 15.0 && y <= 15.0 + jaw;
    if (eyes < 0.0) {
        // Embers deep in the sockets.
        const double pupil = std::min(std::hypot(x + 7.0, y - 2.5), std::hypot(x - 7.0, y - 2.5));
        const double ember = std::exp(-pupil * pupil / (hurt ? 6.0 : 2.2));
        return {0.05 + 0.95 * ember, 0.02 + (hurt ? 0.6 : 0.25) * ember, 0.02 + 0.1 * ember, 1.0};
    }
    if (nose || toothGap || mouthGap) {
        return {0.08, 0.05, 0.04, 1.0};
    }
    if (upperTeeth || lowerTeeth) {
        return scaleColour(bone, 1.05);
    }
    // Light from the upper left on a rounded head.
    const double nx = std::clamp(x / 19.0, -1.0, 1.0);
    const double ny = std::clamp((y + 4.0) / 24.0, -1.0, 1.0);
    const double nz = std::sqrt(std::max(0.05, 1.0 - nx * nx - ny * ny));
    double light = 0.35 + 0.75 * std::max(0.0, -0.45 * nx - 0.55 * ny + 0.7 * nz);
    // Shadow around the holes and under the cheekbones, a dark rim on the outline.
    light *= 0.55 + 0.45 * smoothstep(0.0, 0.55, eyes);
    if (solid > -1.3) {
        light *= 0.55;
    }
    if (y > 9.0 && std::abs(x) > 9.0) {
        light *= 0.8;
    }
    if (hurt) {
        // A crack across the brow.
        const double crack = std::abs(y + 12.0 - 0.6 * x - 2.0 * std::sin(x * 0.9));
        if (crack < 0.7 && x > -8.0 && x < 10.0) {
            light *= 0.3;
        }
    }
    return scaleColour(bone, light);
}

} // namespace

void ImageGenerator::paintSkull(Canvas& canvas, int frame) const {
    // Four walking frames bob and work the jaw; the fifth is the hurt picture.
    const double bob[SKULL_FRAMES] = {0.0, -1.5, -3.0, -1.5, 0.0};
    const double jaw[SKULL_FRAMES] = {0.0, 1.2, 2.6, 1.2, 3.2};
    const bool hurt = frame == SKULL_FRAMES - 1;
    const double tilt = hurt ? 0.18 : 0.0;
    // Edge pixels come out fully opaque or fully clear, so the picture shows no fringe
    // of whatever it is later drawn against.
    const bool hardEdges = true;
    supersample(canvas, frame * TILE, TILE, 4, hardEdges, [&](double px, double py) {
        const double x = px - 32.0;
        const double y = py - 30.0 - bob[frame];
        const double rx = x * std::cos(tilt) + y * std::sin(tilt);
        const double ry = -x * std::sin(tilt) + y * std::cos(tilt);
        return skullSample(rx, ry, jaw[frame], hurt);
    });
}

// The program's icon: the skull on a dark stone tile with rounded corners, so that it
// stands out on light and dark panels alike. Painted afresh at every size, not scaled.
Canvas ImageGenerator::icon(int size) const {
    Canvas canvas(size, size);
    const double toSkull = 60.0 / size; // the skull's 64-pixel frame, a little enlarged
    const double half = size / 2.0;
    const Rgba stone{0.16, 0.15, 0.17, 1.0};
    const Rgba rim{0.36, 0.33, 0.30, 1.0};
    supersample(canvas, 0, size, 4, false, [&](double px, double py) {
        const double tile = roundedBox(px, py, half, half, half, half, size * 0.18);
        if (tile > 0.0) {
            return Rgba{0, 0, 0, 0};
        }
        const Rgba skull =
            skullSample((px - half) * toSkull, (py - half) * toSkull - 1.5, 0.0, false);
        const Rgba ground = tile > -size / 24.0 ? rim : stone;
        return skull.a > 0.0 ? skull : ground;
    });
    return canvas;
}

namespace {

// The sword in its own frame: u across the blade, v along it, 0 at the guard, the
// tip at -BLADE_LENGTH. Returns a sample of its colour, clear where there is no sword.
const double BLADE_LENGTH = 196.0;

Rgba swordSample(double u, double v) {
    const Rgba steel{0.74, 0.77, 0.82, 1.0};
    const Rgba brass{0.80, 0.62, 0.26, 1.0};
    const Rgba leather{0.36, 0.21, 0.11, 1.0};
    if (v <= 0.0 && v >= -BLADE_LENGTH) {
        const double fromTip = v + BLADE_LENGTH;
        const double halfWidth = fromTip < 48.0 ? 12.0 * fromTip / 48.0 : 12.0 - v * 0.004;
        if (std::abs(u) > halfWidth) {
            return {0, 0, 0, 0};
        }
        const double across = u / std::max(halfWidth, 0.5);
        double light = 0.78 - 0.32 * across; // lit from the left
        if (std::abs(across) > 0.72) {
            light += 0.28; // the ground edge catches the light
        }
        if (std::abs(u) < 2.2 && v < -14.0 && fromTip > 56.0) {
            light *= 0.62; // the fuller
        }
        if (std::abs(u + halfWidth * 0.45) < 0.9) {
            light += 0.35; // a streak of reflection
        }
        if (std::abs(u) > halfWidth - 0.8) {
            light *= 0.55; // outline
        }
        return scaleColour(steel, light);
    }
    if (v > 0.0 && v <= 11.0) {
        const double halfGuard = 40.0 - std::pow(std::abs(v - 5.5) / 5.5, 2.0) * 4.0;
        if (std::abs(u) > halfGuard) {
            return {0, 0, 0, 0};
        }
        double light = 1.1 - 0.07 * std::abs(v - 3.0);
        if (std::abs(u) > halfGuard - 1.0 || v < 1.0 || v > 10.0) {
            light *= 0.55;
        }
        return scaleColour(brass, light);
    }
    if (v > 11.0 && v <= 66.0) {
        if (std::abs(u) > 6.5) {
            return {0, 0, 0, 0};
        }
        const bool wrap = std::fmod(v + u * 0.7 + 100.0, 7.0) < 1.3;
        double light = (1.0 - 0.5 * u / 6.5) * (wrap ? 0.55 : 1.0);
        if (std::abs(u) > 5.6) {
            light *= 0.6;
        }
        return scaleColour(leather, light);
    }
    const double pommel = std::hypot(u, v - 74.0);
    if (pommel <= 9.5) {
        double light = 0.7 + 0.6 * std::max(0.0, 1.0 - std::hypot(u + 3.0, v - 71.0) / 7.0);
        if (pommel > 8.6) {
            light *= 0.55;
        }
        return scaleColour(brass, light);
    }
    return {0, 0, 0, 0};
}

struct SwordPose {
    double x, y;  // the guard's centre in the frame
    double angle; // radians from pointing straight up, negative leaning left
    double smear; // how far back, in radians, a motion trail reaches
};

} // namespace

void ImageGenerator::paintSwordFrame(Canvas& canvas, int frame) const {
    // Rest, wind-up, the slash across, and the follow-through.
    const SwordPose poses[SWORD_FRAMES] = {
        {262.0, 236.0, -0.50, 0.0},
        {272.0, 214.0, 0.30, 0.0},
        {196.0, 226.0, -1.35, 1.2},
        {140.0, 262.0, -2.15, 0.5},
    };
    const SwordPose& pose = poses[frame];
    const double c = std::cos(pose.angle), s = std::sin(pose.angle);
    supersample(canvas, frame * SWORD_FRAME, SWORD_FRAME, 3, false, [&](double px, double py) {
        const double dx = px - pose.x;
        const double dy = py - pose.y;
        // Into the sword's frame: rotate back by the pose's angle.
        const double u = dx * c + dy * s;
        const double v = -dx * s + dy * c;
        const Rgba sample = swordSample(u, v);
        if (sample.a > 0.0 || pose.smear <= 0.0 || v >= -40.0) {
            return sample;
        }
        // A pale blur where the blade has just been.
        const double radius = std::hypot(dx, dy);
        const double behind = std::atan2(dx, -dy) - pose.angle;
        if (behind <= 0.0 || behind >= pose.smear || radius <= 60.0 || radius >= BLADE_LENGTH) {
            return sample;
        }
        const double fade = (1.0 - behind / pose.smear) * ((radius - 60.0) / (BLADE_LENGTH - 60.0));
        return Rgba{0.85, 0.88, 0.95, 0.45 * fade};
    });
}

Canvas ImageGenerator::sword() const {
    Canvas canvas(SWORD_FRAME * SWORD_FRAMES, SWORD_FRAME);
    for (int frame = 0; frame < SWORD_FRAMES; ++frame) {
        paintSwordFrame(canvas, frame);
    }
    return canvas;
}

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
