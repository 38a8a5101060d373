#pragma once

// The brushes every picture shares: clamping and easing, colours from bytes, the
// masonry grid, distance fields of simple shapes, and supersampling.
#include "ImageGenerator.h"

#include <algorithm>
#include <cmath>

namespace brushes {

inline constexpr double PI = 3.14159265358979323846;

inline double clamp01(double v) {
    return std::clamp(v, 0.0, 1.0);
}

inline double smoothstep(double edge0, double edge1, double v) {
    const double t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

inline Rgba rgb(int r, int g, int b) {
    return {r / 255.0, g / 255.0, b / 255.0, 1.0};
}

inline int wrapTile(int v) {
    return ((v % ImageGenerator::TILE) + ImageGenerator::TILE) % ImageGenerator::TILE;
}

// Where a pixel falls in a running bond of blocks: which block, and how far the pixel
// lies from each of the block's edges.
struct BlockSpot {
    int column, row;
    double left, right, top, bottom;
    double edge() const { return std::min(std::min(left, right), std::min(top, bottom)); }
};

inline BlockSpot blockAt(int x, int y, int blockW, int blockH) {
    const int row = y / blockH;
    const int shifted = wrapTile(x + (row % 2) * blockW / 2);
    const int column = shifted / blockW;
    const double inX = shifted - column * blockW + 0.5;
    const double inY = y - row * blockH + 0.5;
    return {column, row, inX, blockW - inX, inY, blockH - inY};
}

inline double ellipseField(double x, double y, double cx, double cy, double rx, double ry) {
    const double nx = (x - cx) / rx;
    const double ny = (y - cy) / ry;
    return std::sqrt(nx * nx + ny * ny) - 1.0; // below 0 inside
}

inline double roundedBox(double x, double y, double cx, double cy, double hw, double hh, double r) {
    const double qx = std::abs(x - cx) - hw + r;
    const double qy = std::abs(y - cy) - hh + r;
    return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - r;
}

} // namespace brushes

template <typename Sampler>
inline void ImageGenerator::supersample(Canvas& canvas, int left, int size, int samples,
                                        bool hardEdges, Sampler sample) {
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
