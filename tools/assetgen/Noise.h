#pragma once

#include <cstdint>

// Deterministic randomness for the generator: the same seed always paints the same
// pictures and plays the same sounds.
class Noise {
  public:
    explicit Noise(uint32_t seed) : seed(seed) {}

    // A value in [0, 1) fixed by the integer lattice point and the seed.
    double hash(int x, int y) const;
    // Smooth value noise in [0, 1). With period > 0 it repeats every period units,
    // so textures built from it tile without seams.
    double smooth(double x, double y, int period = 0) const;
    // Several octaves of smooth noise, each twice as fine and half as strong.
    double fractal(double x, double y, int octaves, int period = 0) const;

  private:
    uint32_t seed;
};
