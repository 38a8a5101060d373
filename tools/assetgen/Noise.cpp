#include "Noise.h"

#include <cmath>

namespace {

uint32_t mix(uint32_t h) {
    h ^= h >> 16;
    h *= 0x7feb352dU;
    h ^= h >> 15;
    h *= 0x846ca68bU;
    h ^= h >> 16;
    return h;
}

int wrap(int value, int period) {
    if (period <= 0) {
        return value;
    }
    int r = value % period;
    return r < 0 ? r + period : r;
}

double fade(double t) {
    return t * t * (3.0 - 2.0 * t);
}

} // namespace

double Noise::hash(int x, int y) const {
    uint32_t h = mix(seed ^ mix(static_cast<uint32_t>(x) * 0x9e3779b9U) ^
                     mix(static_cast<uint32_t>(y) * 0x85ebca6bU + 0x165667b1U));
    return (h >> 8) / 16777216.0;
}

double Noise::smooth(double x, double y, int period) const {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int x0 = static_cast<int>(fx);
    const int y0 = static_cast<int>(fy);
    const double tx = fade(x - fx);
    const double ty = fade(y - fy);
    const double a = hash(wrap(x0, period), wrap(y0, period));
    const double b = hash(wrap(x0 + 1, period), wrap(y0, period));
    const double c = hash(wrap(x0, period), wrap(y0 + 1, period));
    const double d = hash(wrap(x0 + 1, period), wrap(y0 + 1, period));
    const double top = a + (b - a) * tx;
    const double bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

double Noise::fractal(double x, double y, int octaves, int period) const {
    double sum = 0.0;
    double weight = 0.5;
    double total = 0.0;
    double scale = 1.0;
    for (int i = 0; i < octaves; ++i) {
        sum += weight *
               smooth(x * scale, y * scale, period > 0 ? period * static_cast<int>(scale) : 0);
        total += weight;
        weight *= 0.5;
        scale *= 2.0;
    }
    return sum / total;
}
