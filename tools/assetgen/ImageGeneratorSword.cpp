// The sword's four-frame swing.
#include "ImageGenerator.h"

#include "Brushes.h"

#include <algorithm>
#include <cmath>

using namespace brushes;

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
