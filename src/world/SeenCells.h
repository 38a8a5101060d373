#pragma once

#include "world/MapGrid.h"

#include <array>
#include <cstdint>
#include <vector>

// The cells the player has seen, for the map: a wall whose face a ray of the view struck,
// a floor cell a ray crossed. Those of the latest look are told apart, for what the view
// shows now. Beside them, the player's numbered marks.
class SeenCells {
  public:
    static constexpr int MAX_MARKS = 10;

    // Nothing seen, no mark, and not kept.
    void clear();
    // A new look of the view begins: what it sees is seen now, and seen for good.
    void newLook() { ++look; }
    // Marks the cell seen, now and for good; a cell outside the grid is passed over.
    void see(int x, int y);
    bool seen(int x, int y) const;
    bool seenNow(int x, int y) const;
    int count() const;

    // A mark at the point where the player stood, in that point's cell; numbered from 1 in
    // the order they were put.
    struct Mark {
        double x = 0.0, y = 0.0;
        int cellX() const { return static_cast<int>(x); }
        int cellY() const { return static_cast<int>(y); }
    };
    // A mark at this point; false, and nothing put, once there are MAX_MARKS or the point is
    // outside the grid.
    bool addMark(double x, double y);
    // The map's M: a mark where the player stands, or, in a cell marked already, that mark
    // taken away (so that no cell holds two).
    void toggleMark(double x, double y);
    void clearMarks() { placedMarks.clear(); }
    const std::vector<Mark>& marks() const { return placedMarks; }

    // Once the map has been opened (or a save with a map was loaded), saves keep it; a
    // game that never opened it saves exactly what it always did.
    bool kept = false;

  private:
    static int index(int x, int y) { return x * MAP_SIZE + y; }

    std::array<uint8_t, MAP_SIZE * MAP_SIZE> cells{};
    // The look in which each cell was last seen.
    std::array<uint32_t, MAP_SIZE * MAP_SIZE> seenInLook{};
    uint32_t look = 1;
    std::vector<Mark> placedMarks;
};
