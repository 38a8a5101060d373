// The level the game ships with must be one the rest of the game can live with.
#include "world/LevelFile.h"
#include "world/MapGrid.h"

#include <fstream>
#include <gtest/gtest.h>
#include <queue>
#include <set>

namespace {

class ShippedLevelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        grid = MapGrid::allocate();
        std::ifstream file(DUSKMARCH_LEVEL_FILE);
        ASSERT_TRUE(file) << DUSKMARCH_LEVEL_FILE;
        level = LevelFile::read(file, grid);
    }
    void TearDown() override { MapGrid::release(grid); }

    // Open cells that can be walked to from (x, y), four ways round.
    std::vector<std::vector<bool>> reachableFrom(int x, int y) const {
        std::vector<std::vector<bool>> seen(MAP_SIZE, std::vector<bool>(MAP_SIZE, false));
        std::queue<std::pair<int, int>> todo;
        todo.emplace(x, y);
        seen[x][y] = true;
        while (!todo.empty()) {
            const auto [cx, cy] = todo.front();
            todo.pop();
            const int next[4][2] = {{cx, cy - 1}, {cx, cy + 1}, {cx - 1, cy}, {cx + 1, cy}};
            for (const auto& [nx, ny] : next) {
                if (MapGrid::contains(nx, ny) && grid[nx][ny] == 0 && !seen[nx][ny]) {
                    seen[nx][ny] = true;
                    todo.emplace(nx, ny);
                }
            }
        }
        return seen;
    }

    int** grid = nullptr;
    LevelFile level;
};

TEST_F(ShippedLevelTest, ReadsWithoutAProblem) {
    EXPECT_TRUE(level.problems.empty());
}

TEST_F(ShippedLevelTest, IsClosedByWallsAndOpenWherePlayBegins) {
    for (int i = 0; i < MAP_SIZE; ++i) {
        EXPECT_GT(grid[0][i], 0) << i;
        EXPECT_GT(grid[MAP_SIZE - 1][i], 0) << i;
        EXPECT_GT(grid[i][0], 0) << i;
        EXPECT_GT(grid[i][MAP_SIZE - 1], 0) << i;
    }
    EXPECT_EQ(grid[22][22], 0);
}

TEST_F(ShippedLevelTest, EveryUnitStandsOnFloorThePlayerCanReach) {
    ASSERT_GE(level.units.size(), 5u);
    const auto reachable = reachableFrom(22, 22);
    for (const LevelFile::UnitPlace& unit : level.units) {
        EXPECT_TRUE(reachable[unit.x][unit.y]) << unit.x << ", " << unit.y;
    }
}

TEST_F(ShippedLevelTest, EveryRoomCanBeWalkedTo) {
    const auto reachable = reachableFrom(22, 22);
    for (int x = 0; x < MAP_SIZE; ++x) {
        for (int y = 0; y < MAP_SIZE; ++y) {
            EXPECT_TRUE(grid[x][y] != 0 || reachable[x][y])
                << "a sealed cell at " << x << ", " << y;
        }
    }
}

TEST_F(ShippedLevelTest, ShowsMostOfTheWallTextures) {
    std::set<int> walls;
    for (int x = 0; x < MAP_SIZE; ++x) {
        for (int y = 0; y < MAP_SIZE; ++y) {
            if (grid[x][y] > 0) {
                walls.insert(grid[x][y]);
            }
        }
    }
    EXPECT_GE(walls.size(), 8u);
}

} // namespace
