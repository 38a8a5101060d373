#include "ReaderChecks.h"

#include "world/LevelFile.h"
#include "world/MapGrid.h"
#include "world/SaveReader.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

void require(bool promise, const char* what) {
    if (!promise) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

bool onGridLine(const std::optional<int>& position) {
    return !position.has_value() || (*position >= 0 && *position < MAP_SIZE);
}

} // namespace

void checkLevelReader(const uint8_t* data, std::size_t size) {
    std::istringstream text(std::string(reinterpret_cast<const char*>(data), size));
    int** grid = MapGrid::allocate();
    // Cells the reader does not set must not keep an earlier level's walls either.
    for (int x = 0; x < MAP_SIZE; ++x) {
        for (int y = 0; y < MAP_SIZE; ++y) {
            grid[x][y] = -7;
        }
    }
    const LevelFile level = LevelFile::read(text, grid);
    for (int x = 0; x < MAP_SIZE; ++x) {
        for (int y = 0; y < MAP_SIZE; ++y) {
            require(grid[x][y] >= 0 && grid[x][y] <= 9, "a cell outside 0..9");
        }
    }
    for (const LevelFile::UnitPlace& place : level.units) {
        require(MapGrid::contains(place.x, place.y), "a unit outside the grid");
    }
    require(level.problems.size() <= MAP_SIZE + 2 + level.units.size() + size,
            "more problems than lines");
    MapGrid::release(grid);
}

void checkSaveReader(const uint8_t* data, std::size_t size) {
    std::istringstream text(std::string(reinterpret_cast<const char*>(data), size));
    const SaveReader save = SaveReader::read(text);
    require(onGridLine(save.x) && onGridLine(save.y), "a position outside the grid");
    for (const LevelFile::UnitPlace& place : save.units) {
        require(MapGrid::contains(place.x, place.y), "a unit outside the grid");
    }
    require(save.units.empty() || save.replacesUnits, "units that replace nothing");
    require(save.problems.size() <= 2, "a cut said more than once");
}
