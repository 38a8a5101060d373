#pragma once

#include "Canvas.h"
#include "Noise.h"

#include <string>

// Paints every picture of the game. Each method fills a canvas in the layout the game
// cuts its sprites from.
class ImageGenerator {
  public:
    static const int TILE = 64;
    static const int TILE_COUNT = 12; // floor, spare, ceiling, then walls 1 to 9
    static const int SKULL_FRAMES = 5;
    static const int SWORD_FRAME = 300;
    static const int SWORD_FRAMES = 4;

    ImageGenerator() : noise(20261208) {}

    Canvas textureStrip() const;
    Canvas skulls() const;
    Canvas sword() const;
    Canvas fireballs() const;
    Canvas staff() const;
    // The program's icon, size by size pixels.
    Canvas icon(int size) const;

  private:
    using TilePainter = Rgba (ImageGenerator::*)(int x, int y) const;
    void paintTile(Canvas& canvas, int tile, TilePainter painter) const;

    Rgba flagstoneFloor(int x, int y) const;
    Rgba mossPatch(int x, int y) const;
    Rgba plankCeiling(int x, int y) const;
    Rgba greyStoneWall(int x, int y) const;
    Rgba redBrickWall(int x, int y) const;
    Rgba woodPlankWall(int x, int y) const;
    Rgba mossyStoneWall(int x, int y) const;
    Rgba cobbleWall(int x, int y) const;
    Rgba basaltWall(int x, int y) const;
    Rgba sandstoneWall(int x, int y) const;
    Rgba ironDoorWall(int x, int y) const;
    Rgba runeWall(int x, int y) const;

    // Shared looks of masonry and wood.
    Rgba masonry(int x, int y, int blockW, int blockH, const Rgba& stone, const Rgba& mortar,
                 double roughness, unsigned salt) const;
    Rgba cobbles(int x, int y, int cell, const Rgba& stone, const Rgba& gap, unsigned salt) const;
    Rgba wood(double along, double across, int plank, const Rgba& base) const;

    // Paints a size by size frame at column left of the canvas, averaging samples by
    // samples points of sample(x, y) (frame pixels) per pixel.
    template <typename Sampler>
    static void supersample(Canvas& canvas, int left, int size, int samples, bool hardEdges,
                            Sampler sample);

    void paintSkull(Canvas& canvas, int frame) const;
    void paintSwordFrame(Canvas& canvas, int frame) const;

    Noise noise;
};
