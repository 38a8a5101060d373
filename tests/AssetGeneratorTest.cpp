#include "ImageGenerator.h"
#include "SoundGenerator.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {
Rgba tileMean(const Canvas& strip, int tile) {
    Rgba sum{0, 0, 0, 0};
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const Rgba& p = strip.at(tile * 64 + x, y);
            sum = {sum.r + p.r, sum.g + p.g, sum.b + p.b, sum.a + p.a};
        }
    }
    return {sum.r / 4096.0, sum.g / 4096.0, sum.b / 4096.0, sum.a / 4096.0};
}
} // namespace

TEST(AssetGenerator, AmbienceLoopsWithoutAClick) {
    const SoundGenerator::Samples loop = SoundGenerator().ambience();
    double largestStep = 0.0;
    for (size_t i = 1; i < loop.size(); ++i) {
        largestStep = std::max(largestStep, std::abs(loop[i] - loop[i - 1]));
    }
    // Joining the end to the start must be no bigger a jump than any step inside.
    EXPECT_LE(std::abs(loop.front() - loop.back()), largestStep);
}

TEST(AssetGenerator, SoundsAreAudibleAndNeverClip) {
    const SoundGenerator gen;
    for (const auto& sound :
         {gen.footstep(), gen.ambience(), gen.deadSleep(), gen.swordHit(), gen.swordMiss()}) {
        double peak = 0.0;
        for (double v : sound) {
            peak = std::max(peak, std::abs(v));
        }
        EXPECT_GT(peak, 0.3);
        EXPECT_LE(peak, 1.0);
    }
}

TEST(AssetGenerator, WallTilesAreOpaqueAndLookDifferent) {
    const Canvas strip = ImageGenerator().textureStrip();
    ASSERT_EQ(strip.width(), 64 * 12);
    for (int a = 3; a < 12; ++a) {
        EXPECT_DOUBLE_EQ(tileMean(strip, a).a, 1.0) << "tile " << a;
        for (int b = a + 1; b < 12; ++b) {
            const Rgba ma = tileMean(strip, a), mb = tileMean(strip, b);
            const double difference =
                std::abs(ma.r - mb.r) + std::abs(ma.g - mb.g) + std::abs(ma.b - mb.b);
            EXPECT_GT(difference, 0.03) << "tiles " << a << " and " << b;
        }
    }
}

TEST(AssetGenerator, SkullFramesStandOnAClearBackground) {
    const Canvas skulls = ImageGenerator().skulls();
    for (int frame = 0; frame < 5; ++frame) {
        EXPECT_EQ(skulls.at(frame * 64, 0).a, 0.0);
        EXPECT_EQ(skulls.at(frame * 64 + 63, 63).a, 0.0);
        EXPECT_EQ(skulls.at(frame * 64 + 32, 20).a, 1.0) << "frame " << frame;
        // Straight alpha only: the billboard draws any pixel that is not fully clear.
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) {
                const double alpha = skulls.at(frame * 64 + x, y).a;
                ASSERT_TRUE(alpha == 0.0 || alpha == 1.0);
            }
        }
    }
    // The hurt picture is redder than a walking frame.
    EXPECT_GT(skulls.at(4 * 64 + 32, 20).r - skulls.at(4 * 64 + 32, 20).g,
              skulls.at(32, 20).r - skulls.at(32, 20).g + 0.2);
}
