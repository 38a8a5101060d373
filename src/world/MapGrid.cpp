#include "world/MapGrid.h"

int** MapGrid::allocate() {
    int** grid = new int*[MAP_SIZE];
    for (int x = 0; x < MAP_SIZE; ++x) {
        grid[x] = new int[MAP_SIZE]();
    }
    return grid;
}

void MapGrid::release(int** grid) {
    if (grid == nullptr) {
        return;
    }
    for (int x = 0; x < MAP_SIZE; ++x) {
        delete[] grid[x];
    }
    delete[] grid;
}

bool MapGrid::contains(int x, int y) {
    return x >= 0 && x < MAP_SIZE && y >= 0 && y < MAP_SIZE;
}

bool MapGrid::containsPoint(double x, double y) {
    // Written so that NaN is outside as well.
    return x >= 0.0 && x < MAP_SIZE && y >= 0.0 && y < MAP_SIZE;
}

bool MapGrid::isOpenAt(int** grid, double x, double y) {
    return containsPoint(x, y) && grid[static_cast<int>(x)][static_cast<int>(y)] == 0;
}
