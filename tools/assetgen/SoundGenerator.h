#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Synthesises every sound of the game and writes it as 16-bit mono PCM WAV.
class SoundGenerator {
  public:
    static const int RATE = 44100;

    using Samples = std::vector<double>;

    Samples footstep() const;
    Samples ambience() const;
    Samples deadSleep() const;
    Samples swordHit() const;
    Samples swordMiss() const;
    Samples skullChatter() const;
    Samples blowTaken() const;

    static bool saveWav(const std::string& path, const Samples& samples);

  private:
    // White noise from a fixed seed, so every build makes the same sounds.
    static Samples noise(size_t count, uint32_t seed);
    static void normalise(Samples& samples, double peak);
};
