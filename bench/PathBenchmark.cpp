// How long the units' path searches take: the game's PathFinder beside the plain
// version kept with the tests, on the worst case a level offers, on one frame of a
// hundred units in the shipped level, and on one frame of a hundred units that have no
// way to the player. Run from the repository root (`make bench`).
#include "reference/LiteralPathFinder.h"
#include "units/PathFinder.h"
#include "world/LevelFile.h"
#include "world/MapGrid.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <utility>
#include <vector>

namespace {

const int PLAYER_X = 22;
const int PLAYER_Y = 22;
const int UNIT_COUNT = 100;

// Walls round the edge, open floor inside, and the player's cell walled in: a search
// from a corner tries every open cell and finds nothing.
int** sealedPlayerLevel() {
    int** grid = MapGrid::allocate();
    for (int i = 0; i < MAP_SIZE; ++i) {
        grid[i][0] = grid[i][MAP_SIZE - 1] = grid[0][i] = grid[MAP_SIZE - 1][i] = 1;
    }
    grid[PLAYER_X][PLAYER_Y - 1] = grid[PLAYER_X][PLAYER_Y + 1] = 1;
    grid[PLAYER_X - 1][PLAYER_Y] = grid[PLAYER_X + 1][PLAYER_Y] = 1;
    return grid;
}

int** shippedLevel() {
    int** grid = MapGrid::allocate();
    std::ifstream file("levels/RirUdodu.lev");
    if (!file) {
        std::cerr << "Run from the repository root: levels/RirUdodu.lev is missing" << std::endl;
        std::exit(1);
    }
    LevelFile::read(file, grid);
    return grid;
}

// A hundred open cells spread evenly over the level's floor, in reading order.
std::vector<std::pair<int, int>> unitCells(int** grid) {
    std::vector<std::pair<int, int>> open;
    for (int x = 0; x < MAP_SIZE; ++x) {
        for (int y = 0; y < MAP_SIZE; ++y) {
            if (grid[x][y] == 0) {
                open.emplace_back(x, y);
            }
        }
    }
    std::vector<std::pair<int, int>> cells;
    for (int i = 0; i < UNIT_COUNT; ++i) {
        cells.push_back(open[i * open.size() / UNIT_COUNT]);
    }
    return cells;
}

template <typename Finder> void worstCase(benchmark::State& state) {
    int** grid = sealedPlayerLevel();
    Finder finder(grid);
    for (auto _ : state) {
        int32_t outX = -1;
        int32_t outY = -1;
        finder.findPath(1, 1, PLAYER_X, PLAYER_Y, outX, outY);
        benchmark::DoNotOptimize(outX);
    }
    MapGrid::release(grid);
}

template <typename Finder> void hundredUnitsOneFrame(benchmark::State& state, int** grid) {
    const std::vector<std::pair<int, int>> cells = unitCells(grid);
    Finder finder(grid);
    for (auto _ : state) {
        for (const auto& cell : cells) {
            int32_t outX = -1;
            int32_t outY = -1;
            finder.findPath(cell.first, cell.second, PLAYER_X, PLAYER_Y, outX, outY);
            benchmark::DoNotOptimize(outX);
        }
    }
    MapGrid::release(grid);
}

void pathWorstCase(benchmark::State& state) {
    worstCase<PathFinder>(state);
}
void pathWorstCaseLiteral(benchmark::State& state) {
    worstCase<LiteralPathFinder>(state);
}
void pathHundredUnits(benchmark::State& state) {
    hundredUnitsOneFrame<PathFinder>(state, shippedLevel());
}
void pathHundredUnitsLiteral(benchmark::State& state) {
    hundredUnitsOneFrame<LiteralPathFinder>(state, shippedLevel());
}
// A hundred units that cannot reach the player, who is walled in: one frame's searches.
void pathHundredSealedOff(benchmark::State& state) {
    hundredUnitsOneFrame<PathFinder>(state, sealedPlayerLevel());
}
void pathHundredSealedOffLiteral(benchmark::State& state) {
    hundredUnitsOneFrame<LiteralPathFinder>(state, sealedPlayerLevel());
}

BENCHMARK(pathWorstCase)->Unit(benchmark::kMicrosecond);
BENCHMARK(pathWorstCaseLiteral)->Unit(benchmark::kMicrosecond);
BENCHMARK(pathHundredUnits)->Unit(benchmark::kMicrosecond);
BENCHMARK(pathHundredUnitsLiteral)->Unit(benchmark::kMicrosecond);
BENCHMARK(pathHundredSealedOff)->Unit(benchmark::kMicrosecond);
BENCHMARK(pathHundredSealedOffLiteral)->Unit(benchmark::kMicrosecond);

} // namespace
