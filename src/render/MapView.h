#pragma once

#include "render/ImageBuffer.h"
#include "render/LockedImage.h"
#include "world/SeenCells.h"

#include <array>
#include <cstdint>

// The map's cells, drawn pixel by pixel into a locked frame: each pixel shows the cell
// under it, seen walls in their texture's colour, seen floor dark, and the rest black (or,
// over the view, the view). The grid is the one-pixel border where a pixel's cell differs
// from its left or upper neighbour's, so its lines stay crisp at every zoom and turn.
// Pixels map to the world in whole steps of 1/65536 of a cell, the same sum whether a
// pixel is reached row by row or on its own.
class MapView {
  public:
    // How the map is looked at.
    struct Look {
        double centreX = 15.0, centreY = 15.0; // the world point at the frame's centre
        double cellPixels = 20.0;              // pixels a cell spans
        // The world's direction drawn as up; north, line 0 of the level, by default.
        double upX = -1.0, upY = 0.0;
        bool grid = true;
        bool overlay = false; // drawn half through over the view instead of on black
    };
    // Where each pixel lies in the world: (originX, originY) for the frame's top left
    // pixel's centre, plus x times the right step and y times the down step.
    struct Steps {
        int64_t originX = 0, originY = 0;
        int64_t rightX = 0, rightY = 0;
        int64_t downX = 0, downY = 0;
    };
    static constexpr int SHIFT = 16;
    // The texture strip's square tiles; a wall of value v shows tile v + 2, as in the view.
    static constexpr int TILE_SIZE = 64;
    static constexpr int WALL_TILE_OFFSET = 2;
    // The colours of floor (0), the walls (1 to 9), the grid and the unseen.
    struct Palette {
        std::array<ALLEGRO_COLOR, 10> cells{};
        ALLEGRO_COLOR grid{};
        ALLEGRO_COLOR unseen{};
    };

    static Steps stepsFor(const Look& look, int32_t width, int32_t height);
    // Walls in their tiles' mean colour, taken from the texture strip.
    static Palette paletteOf(ImageBuffer* textures);
    // The cell a world coordinate in steps lies in, rounding toward minus infinity.
    static int cellOf(int64_t coordinate) {
        return static_cast<int>(coordinate >= 0 ? coordinate >> SHIFT
                                                : -((-coordinate - 1) >> SHIFT) - 1);
    }

    // Where a world point is drawn in a frame of the given size.
    static void toScreen(const Look& look, int32_t width, int32_t height, double worldX,
                         double worldY, float& screenX, float& screenY);

    static void drawCells(const LockedImage& frame, int* const* grid, const SeenCells& seen,
                          const Look& look, const Palette& palette);
};
