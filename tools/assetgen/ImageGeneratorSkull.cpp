// The skull: its walking frames, its hurt picture and the program's icon.
#include "ImageGenerator.h"

#include "Brushes.h"

#include <algorithm>
#include <cmath>

using namespace brushes;

Canvas ImageGenerator::skulls() const {
    Canvas canvas(TILE * SKULL_FRAMES, TILE);
    for (int frame = 0; frame < SKULL_FRAMES; ++frame) {
        paintSkull(canvas, frame);
    }
    return canvas;
}

namespace {

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
