#pragma once

// Cells along each side of the world; levels of another size do not exist.
const int MAP_SIZE = 30;

// The world grid is an array of MAP_SIZE row pointers, indexed grid[x][y]: 0 is open
// floor, 1 to 9 walls whose value picks their texture. These helpers keep every read
// inside it, whatever a level or save file says.
class MapGrid {
  public:
    // Every cell starts as open floor.
    static int** allocate();
    static void release(int** grid);

    static bool contains(int x, int y);
    // True when the point lies in a cell of the grid (0 <= x, y < MAP_SIZE).
    static bool containsPoint(double x, double y);
    // True when the point lies in the grid on open floor; anything else blocks a step.
    static bool isOpenAt(int** grid, double x, double y);
};
