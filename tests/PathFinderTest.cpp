#include "units/PathFinder.h"
#include "reference/LiteralPathFinder.h"
#include "world/MapGrid.h"

#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

// What one search did: its answer, the nodes it chose in order, what it printed.
struct SearchRecord {
    int32_t outX = -1;
    int32_t outY = -1;
    std::vector<PathNode> choices;
    std::string console;
};

using Cell = std::tuple<int32_t, int32_t>;

// Without logChoices the search runs as the game runs it, so that a kept answer may serve.
template <typename Finder>
SearchRecord runSearch(Finder& finder, Cell start, Cell target, bool logChoices = true) {
    SearchRecord record;
    finder.choiceLog = logChoices ? &record.choices : nullptr;
    std::ostringstream console;
    std::streambuf* previous = std::cout.rdbuf(console.rdbuf());
    finder.findPath(std::get<0>(start), std::get<1>(start), std::get<0>(target),
                    std::get<1>(target), record.outX, record.outY);
    std::cout.rdbuf(previous);
    finder.choiceLog = nullptr;
    record.console = console.str();
    return record;
}

std::vector<Cell> cellsOf(const std::vector<PathNode>& nodes) {
    std::vector<Cell> cells;
    for (const PathNode& node : nodes) {
        cells.emplace_back(node.x, node.y);
    }
    return cells;
}

std::vector<int32_t> costsOf(const std::vector<PathNode>& nodes) {
    std::vector<int32_t> costs;
    for (const PathNode& node : nodes) {
        costs.push_back(node.f);
    }
    return costs;
}

class PathFinderTest : public ::testing::Test {
  protected:
    void SetUp() override { grid = MapGrid::allocate(); }
    void TearDown() override { MapGrid::release(grid); }

    // Walls all round cell (x, y), leaving the cell itself open.
    void sealIn(int x, int y) {
        grid[x][y - 1] = grid[x][y + 1] = grid[x - 1][y] = grid[x + 1][y] = 1;
    }

    // Both versions, which must agree on everything; the game's answer is returned.
    SearchRecord searchBoth(Cell start, Cell target) {
        PathFinder fast(grid);
        return searchBoth(fast, start, target);
    }

    // The same with a finder that has searched before (and may know the grid's regions).
    // Where there is no way, the plain search tries every cell it can reach first, while
    // the game's answers at once without choosing any.
    SearchRecord searchBoth(PathFinder& fast, Cell start, Cell target) {
        LiteralPathFinder literal(grid);
        const SearchRecord answer = runSearch(fast, start, target);
        const SearchRecord reference = runSearch(literal, start, target);
        EXPECT_EQ(answer.outX, reference.outX);
        EXPECT_EQ(answer.outY, reference.outY);
        const bool noWay = reference.outX == -1 && reference.console.empty();
        if (noWay) {
            EXPECT_TRUE(answer.choices.empty());
        } else {
            EXPECT_EQ(cellsOf(answer.choices), cellsOf(reference.choices));
            EXPECT_EQ(costsOf(answer.choices), costsOf(reference.choices));
        }
        EXPECT_EQ(answer.console, reference.console);
        EXPECT_TRUE(fast.openList.empty() && fast.closedList.empty());
        EXPECT_TRUE(literal.openList.empty() && literal.closedList.empty());
        return answer;
    }

    int** grid = nullptr;
};

TEST_F(PathFinderTest, StraightDownTheSecondAxisEveryChoiceCostsThirty) {
    const SearchRecord record = searchBoth({5, 5}, {5, 8});
    EXPECT_EQ(cellsOf(record.choices), (std::vector<Cell>{{5, 5}, {5, 6}, {5, 7}, {5, 8}}));
    EXPECT_EQ(costsOf(record.choices), (std::vector<int32_t>{30, 30, 30, 30}));
    EXPECT_EQ(record.outX, 5);
    EXPECT_EQ(record.outY, 6);
}

TEST_F(PathFinderTest, AlongTheFirstAxisTheTargetIsTakenAsSoonAsItIsOpen) {
    const SearchRecord record = searchBoth({5, 5}, {8, 5});
    // (8, 5) costs 30 while nodes of 23 are still open: found is chosen at once.
    EXPECT_EQ(cellsOf(record.choices), (std::vector<Cell>{{5, 5}, {6, 5}, {4, 5}, {7, 5}, {8, 5}}));
    EXPECT_EQ(costsOf(record.choices), (std::vector<int32_t>{3, 12, 14, 21, 30}));
    EXPECT_EQ(record.outX, 6);
    EXPECT_EQ(record.outY, 5);
}

TEST_F(PathFinderTest, StartOnTheTargetAnswersTheStartWithoutExpanding) {
    const SearchRecord record = searchBoth({12, 7}, {12, 7});
    EXPECT_EQ(cellsOf(record.choices), (std::vector<Cell>{{12, 7}}));
    EXPECT_EQ(record.outX, 12);
    EXPECT_EQ(record.outY, 7);

    const SearchRecord beside = searchBoth({12, 7}, {13, 7});
    EXPECT_EQ(beside.outX, 13);
    EXPECT_EQ(beside.outY, 7);
}

TEST_F(PathFinderTest, ASealedTargetLeavesTheAnswerAloneWithoutSearching) {
    sealIn(20, 20);
    const SearchRecord record = searchBoth({0, 0}, {20, 20});
    EXPECT_EQ(record.outX, -1);
    EXPECT_EQ(record.outY, -1);
    EXPECT_TRUE(record.choices.empty());
    EXPECT_EQ(record.console, "");
}

TEST_F(PathFinderTest, AWalledStartSearchesFromTheRegionsBesideIt) {
    // A wall across the grid on line 10, the start inside it: it reaches either side.
    for (int y = 0; y < MAP_SIZE; ++y) {
        grid[10][y] = 4;
    }
    EXPECT_EQ(searchBoth({10, 5}, {3, 5}).outX, 9);
    EXPECT_EQ(searchBoth({10, 5}, {25, 5}).outX, 11);
    // Walled in on the wall's far side too, it reaches only the near side.
    grid[11][5] = 4;
    EXPECT_EQ(searchBoth({10, 5}, {25, 5}).outX, -1);
    EXPECT_EQ(searchBoth({30, 5}, {3, 5}).outX, -1); // outside, beside a wall
}

TEST_F(PathFinderTest, AWalledTargetPrintsItsValueAndAnswersTheStart) {
    grid[9][9] = 3;
    const SearchRecord record = searchBoth({2, 4}, {9, 9});
    EXPECT_EQ(record.console, "3\n");
    EXPECT_EQ(record.outX, 2);
    EXPECT_EQ(record.outY, 4);
    EXPECT_EQ(record.choices.size(), 1u);
}

TEST_F(PathFinderTest, OutOfADeadEndTheOnlyOpenSideIsTheFirstStep) {
    // Walled on three sides, the target behind the back wall: the way leads away first.
    grid[6][15] = grid[4][15] = grid[5][16] = 2;
    const SearchRecord record = searchBoth({5, 15}, {5, 20});
    EXPECT_EQ(record.outX, 5);
    EXPECT_EQ(record.outY, 14);
}

TEST_F(PathFinderTest, CellsOnTheEdgeOfTheGridReadNothingOutsideIt) {
    for (const Cell& start : {Cell{0, 0}, Cell{29, 29}, Cell{0, 29}, Cell{29, 0}, Cell{0, 14}}) {
        const SearchRecord record = searchBoth(start, {14, 14});
        EXPECT_NE(record.outX, -1);
        searchBoth({14, 14}, start);
    }
}

TEST_F(PathFinderTest, AStartJustOutsideTheGridStepsIn) {
    const SearchRecord record = searchBoth({-1, 5}, {3, 5});
    EXPECT_EQ(record.outX, 0);
    EXPECT_EQ(record.outY, 5);
    searchBoth({30, 29}, {3, 5});
}

TEST_F(PathFinderTest, FarOutsideStartsAndTargetsFindNothing) {
    PathFinder finder(grid);
    const Cell targets[] = {{-1, 5}, {30, 5}, {5, -7}, {5, INT32_MAX}};
    for (const Cell& target : targets) {
        const SearchRecord record = runSearch(finder, {5, 5}, target);
        EXPECT_EQ(record.outX, -1);
        EXPECT_EQ(record.console, "");
    }
    const SearchRecord farStart = runSearch(finder, {INT32_MIN, 3}, {5, 5});
    EXPECT_EQ(farStart.outX, -1);
    EXPECT_TRUE(finder.openList.empty() && finder.closedList.empty());
}

TEST_F(PathFinderTest, OneFinderServesManySearchesInARow) {
    PathFinder finder(grid);
    sealIn(20, 20);
    EXPECT_EQ(runSearch(finder, {1, 1}, {20, 20}).outX, -1);
    const SearchRecord after = runSearch(finder, {5, 5}, {5, 8});
    EXPECT_EQ(after.outY, 6);
    EXPECT_EQ(after.choices.size(), 4u);
    EXPECT_TRUE(finder.openList.empty() && finder.closedList.empty());
}

// Random levels from open to crowded, with the target sometimes walled, sometimes
// sealed in, sometimes on the start: the game's search and the plain one must agree on
// every node chosen and on every answer.
TEST_F(PathFinderTest, AgreesWithThePlainSearchOnRandomLevels) {
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> anyCell(0, MAP_SIZE - 1);
    std::uniform_int_distribution<int> wallValue(1, 9);
    const double densities[] = {0.0, 0.1, 0.25, 0.4, 0.6};
    int sealedTargets = 0;
    int walledTargets = 0;
    int noWay = 0;
    // One finder for every round, as the game keeps one: it must notice each new grid.
    PathFinder fast(grid);
    for (int round = 0; round < 600; ++round) {
        std::bernoulli_distribution isWall(densities[round % 5]);
        for (int x = 0; x < MAP_SIZE; ++x) {
            for (int y = 0; y < MAP_SIZE; ++y) {
                grid[x][y] = isWall(random) ? wallValue(random) : 0;
            }
        }
        const Cell start{anyCell(random), anyCell(random)};
        Cell target{anyCell(random), anyCell(random)};
        if (round % 7 == 0) {
            target = start;
        }
        const int tx = std::get<0>(target);
        const int ty = std::get<1>(target);
        if (round % 11 == 3 && tx > 0 && ty > 0 && tx < MAP_SIZE - 1 && ty < MAP_SIZE - 1) {
            grid[tx][ty] = 0;
            sealIn(tx, ty);
            ++sealedTargets;
        }
        walledTargets += grid[tx][ty] != 0;
        SCOPED_TRACE("round " + std::to_string(round));
        noWay += searchBoth(fast, start, target).outX == -1;
        // The same grid with one cell changed, open or walled: the regions must follow.
        const int changedX = anyCell(random);
        const int changedY = anyCell(random);
        grid[changedX][changedY] = grid[changedX][changedY] == 0 ? wallValue(random) : 0;
        searchBoth(fast, start, target);
        if (HasFailure()) {
            return;
        }
    }
    EXPECT_GT(noWay, 50);
    EXPECT_GT(sealedTargets, 20);
    EXPECT_GT(walledTargets, 50);
}

} // namespace

namespace {

// Frames of a crowd hunting a player who walks, sometimes into a wall, over a grid that
// sometimes changes: every answer, kept or searched, is the plain search's, and so is
// everything printed. Units share a few cells, so most answers come from those kept.
TEST_F(PathFinderTest, KeptAnswersAgreeWithThePlainSearchAsThePlayerWalks) {
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> anyCell(0, MAP_SIZE - 1);
    std::uniform_int_distribution<int> wallValue(1, 9);
    std::uniform_int_distribution<int> step(-1, 1);
    const double densities[] = {0.0, 0.15, 0.3, 0.45};
    PathFinder fast(grid);
    for (int round = 0; round < 40; ++round) {
        std::bernoulli_distribution isWall(densities[round % 4]);
        for (int x = 0; x < MAP_SIZE; ++x) {
            for (int y = 0; y < MAP_SIZE; ++y) {
                grid[x][y] = isWall(random) ? wallValue(random) : 0;
            }
        }
        std::vector<Cell> crowd;
        for (int cell = 0; cell < 6; ++cell) {
            crowd.emplace_back(anyCell(random), anyCell(random));
        }
        Cell player{anyCell(random), anyCell(random)};
        for (int frame = 0; frame < 20; ++frame) {
            if (frame % 4 == 3) { // a step, perhaps into a wall or off the grid's edge
                player = {std::clamp(std::get<0>(player) + step(random), 0, MAP_SIZE - 1),
                          std::clamp(std::get<1>(player) + step(random), 0, MAP_SIZE - 1)};
            }
            if (frame % 7 == 6) {
                const int x = anyCell(random);
                const int y = anyCell(random);
                grid[x][y] = grid[x][y] == 0 ? wallValue(random) : 0;
            }
            // The plain search keeps nothing, so within a frame one answer per start cell
            // serves every unit standing there.
            std::map<Cell, SearchRecord> plainAnswers;
            for (int unit = 0; unit < 16; ++unit) {
                const Cell start = crowd[unit % crowd.size()];
                const SearchRecord answer = runSearch(fast, start, player, false);
                auto known = plainAnswers.find(start);
                if (known == plainAnswers.end()) {
                    LiteralPathFinder literal(grid);
                    known =
                        plainAnswers.emplace(start, runSearch(literal, start, player, false)).first;
                }
                const SearchRecord& reference = known->second;
                ASSERT_EQ(answer.outX, reference.outX) << "round " << round << " frame " << frame;
                ASSERT_EQ(answer.outY, reference.outY) << "round " << round << " frame " << frame;
                ASSERT_EQ(answer.console, reference.console);
            }
        }
    }
}

} // namespace
