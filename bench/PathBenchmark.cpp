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

// `count` open cells spread evenly over the level's floor, in reading order (a cell
// may hold several units when there are more units than open cells).
std::vector<std::pair<int, int>> unitCells(int** grid, int count = UNIT_COUNT) {
    std::vector<std::pair<int, int>> open;
    for (int x = 0; x < MAP_SIZE; ++x) {
        for (int y = 0; y < MAP_SIZE; ++y) {
            if (grid[x][y] == 0) {
                open.emplace_back(x, y);
            }
        }
    }
    std::vector<std::pair<int, int>> cells;
    for (int i = 0; i < count; ++i) {
        cells.push_back(open[i * open.size() / count]);
    }
    return cells;
}

// The player's walk: from the start cell along a shortest way to the open cell
// farthest from it, a cell at a time.
std::vector<std::pair<int, int>> playerWalk(int** grid) {
    std::vector<int> parent(MAP_SIZE * MAP_SIZE, -1);
    std::vector<int> queue{PLAYER_X * MAP_SIZE + PLAYER_Y};
    parent[queue.front()] = queue.front();
    for (std::size_t next = 0; next < queue.size(); ++next) {
        const int x = queue[next] / MAP_SIZE;
        const int y = queue[next] % MAP_SIZE;
        const int around[4][2] = {{x, y - 1}, {x, y + 1}, {x - 1, y}, {x + 1, y}};
        for (const auto& cell : around) {
            const int index = cell[0] * MAP_SIZE + cell[1];
            if (MapGrid::contains(cell[0], cell[1]) && grid[cell[0]][cell[1]] == 0 &&
                parent[index] < 0) {
                parent[index] = queue[next];
                queue.push_back(index);
            }
        }
    }
    std::vector<std::pair<int, int>> walk;
    for (int cell = queue.back();; cell = parent[cell]) {
        walk.emplace_back(cell / MAP_SIZE, cell % MAP_SIZE);
        if (parent[cell] == cell) {
            break;
        }
    }
    return {walk.rbegin(), walk.rend()};
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

// A thousand units hunting a player who walks across the level, ten frames to a cell
// (the player crosses a cell in about eight frames): one iteration is one frame.
const int CROWD = 1000;
const int FRAMES_PER_CELL = 10;

template <typename Finder> void crowdOverAWalk(benchmark::State& state) {
    int** grid = shippedLevel();
    const std::vector<std::pair<int, int>> cells = unitCells(grid, CROWD);
    const std::vector<std::pair<int, int>> walk = playerWalk(grid);
    Finder finder(grid);
    std::size_t frame = 0;
    for (auto _ : state) {
        const auto& player = walk[(frame++ / FRAMES_PER_CELL) % walk.size()];
        for (const auto& cell : cells) {
            int32_t outX = -1;
            int32_t outY = -1;
            finder.findPath(cell.first, cell.second, player.first, player.second, outX, outY);
            benchmark::DoNotOptimize(outX);
        }
    }
    state.counters["walk_cells"] = static_cast<double>(walk.size());
    MapGrid::release(grid);
}

void pathCrowdOverAWalk(benchmark::State& state) {
    crowdOverAWalk<PathFinder>(state);
}
void pathCrowdOverAWalkLiteral(benchmark::State& state) {
    crowdOverAWalk<LiteralPathFinder>(state);
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
BENCHMARK(pathCrowdOverAWalk)->Unit(benchmark::kMicrosecond);
BENCHMARK(pathCrowdOverAWalkLiteral)->Unit(benchmark::kMicrosecond);

} // namespace
