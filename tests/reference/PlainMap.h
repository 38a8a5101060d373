#pragma once

#include "render/Camera.h"
#include "render/MapView.h"
#include "world/SeenCells.h"

#include <set>
#include <utility>

// The map written the plain way, for the game's to be held against. What the view shows:
// every ray of the wall pass walked from crossing to crossing of the grid's lines, found
// as a sorted list rather than stepped. And the map's cells: each pixel on its own, its
// cell and its neighbours' found from its own place, put with al_put_pixel.
class PlainMap {
  public:
    static std::set<std::pair<int, int>> seenCells(const Camera& camera);
    static void drawCells(int* const* grid, const SeenCells& seen, const MapView::Look& look,
                          const MapView::Palette& palette);
};
