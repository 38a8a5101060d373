#include "world/LevelFile.h"
#include "world/MapGrid.h"
#include "world/NumberParser.h"

#include <climits>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace {

std::string wallRow() {
    return std::string(MAP_SIZE, '1');
}

// A closed room of open floor, followed by the given lines.
std::string level(const std::string& after = "") {
    std::string text = wallRow() + "\n";
    for (int x = 1; x < MAP_SIZE - 1; ++x) {
        text += "1" + std::string(MAP_SIZE - 2, '0') + "1\n";
    }
    return text + wallRow() + "\n" + after;
}

class LevelFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        grid = MapGrid::allocate();
        for (int x = 0; x < MAP_SIZE; ++x) {
            for (int y = 0; y < MAP_SIZE; ++y) {
                grid[x][y] = 7; // whatever was there before must be overwritten
            }
        }
    }
    void TearDown() override { MapGrid::release(grid); }

    LevelFile read(const std::string& text) {
        std::istringstream in(text);
        return LevelFile::read(in, grid);
    }
    std::vector<std::pair<int, int>> unitsOf(const std::string& lines) {
        std::vector<std::pair<int, int>> places;
        for (const LevelFile::UnitPlace& place : read(level(lines)).units) {
            places.emplace_back(place.x, place.y);
        }
        return places;
    }

    int** grid = nullptr;
};

using Places = std::vector<std::pair<int, int>>;

TEST_F(LevelFileTest, LineNumberIsTheFirstIndexAndCharacterTheSecond) {
    std::string text = level();
    text[2 * (MAP_SIZE + 1) + 5] = '4'; // line 2, character 5
    const LevelFile file = read(text);
    EXPECT_EQ(grid[2][5], 4);
    EXPECT_EQ(grid[5][2], 0);
    EXPECT_EQ(grid[0][17], 1);
    EXPECT_TRUE(file.problems.empty());
    EXPECT_TRUE(file.units.empty());
}

TEST_F(LevelFileTest, EveryCharacterButADigitIsOpenFloor) {
    std::string row = "1# +-aZ" + std::string(MAP_SIZE - 8, '9') + "1";
    std::string text = level();
    text.replace(MAP_SIZE + 1, MAP_SIZE, row);
    read(text);
    for (int y = 1; y <= 6; ++y) {
        EXPECT_EQ(grid[1][y], 0) << "character " << y;
    }
    EXPECT_EQ(grid[1][7], 9);
}

TEST_F(LevelFileTest, CharactersAfterTheThirtiethAreIgnored) {
    std::string text = level("unit:3 4\n");
    text.insert(MAP_SIZE, "5555unit:8 8"); // the first line runs on
    const LevelFile file = read(text);
    EXPECT_EQ(grid[0][MAP_SIZE - 1], 1);
    EXPECT_EQ(grid[1][1], 0); // the next line is still the next row
    ASSERT_EQ(file.units.size(), 1u);
    EXPECT_EQ(file.units[0].x, 3);
}

TEST_F(LevelFileTest, UnitLinesAreReadAsTheCLibraryReadsTwoNumbers) {
    EXPECT_EQ(unitsOf("unit:5 7\n"), (Places{{5, 7}}));
    EXPECT_EQ(unitsOf("unit:3 4 extra\n"), (Places{{3, 4}}));
    EXPECT_EQ(unitsOf("unit: 3 4\n"), (Places{{3, 4}}));
    EXPECT_EQ(unitsOf("unit:\n"), (Places{{0, 0}}));
    EXPECT_EQ(unitsOf("unit:9\n"), (Places{{9, 0}}));
    EXPECT_EQ(unitsOf("unit:+6\t-0\n"), (Places{{6, 0}}));
    EXPECT_EQ(unitsOf("unit:x 4\n"), (Places{{0, 0}})); // the second is not read either
    EXPECT_EQ(unitsOf("unit\n"), (Places{{0, 0}}));     // key and value are the whole line
}

TEST_F(LevelFileTest, OnlyTheExactKeyMakesAUnit) {
    EXPECT_TRUE(unitsOf("Unit:3 4\nunits:3 4\nunit 3 4\n unit:3 4\n\nrubbish\n").empty());
}

TEST_F(LevelFileTest, TheLastLineCountsWithoutALineFeedAndCarriageReturnsAreDropped) {
    EXPECT_EQ(unitsOf("unit:1 2\r\nunit:3 4"), (Places{{1, 2}, {3, 4}}));
    std::string text = level();
    std::string crlf;
    for (char c : text) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    EXPECT_TRUE(read(crlf).problems.empty());
}

TEST_F(LevelFileTest, AUnitLineAmongTheFirstThirtyIsAGridRow) {
    std::string text = "unit:5 5\n" + level().substr(MAP_SIZE + 1);
    const LevelFile file = read(text);
    EXPECT_TRUE(file.units.empty());
    EXPECT_EQ(grid[0][5], 5);
}

TEST_F(LevelFileTest, AUnitOutsideTheGridIsLeftOutAndReported) {
    const LevelFile file = read(level("unit:-1 5\nunit:5 30\nunit:29 29\nunit:99999999999999 3\n"));
    ASSERT_EQ(file.units.size(), 1u);
    EXPECT_EQ(file.units[0].x, 29);
    EXPECT_EQ(file.problems.size(), 3u);
}

TEST_F(LevelFileTest, ShortLinesAndMissingLinesAreOpenFloorAndReported) {
    std::string text = wallRow() + "\n" + "111\n" + wallRow() + "\n";
    const LevelFile file = read(text);
    EXPECT_EQ(grid[1][2], 1);
    EXPECT_EQ(grid[1][3], 0);
    EXPECT_EQ(grid[2][29], 1);
    EXPECT_EQ(grid[3][0], 0);
    EXPECT_EQ(grid[29][29], 0);
    EXPECT_EQ(file.problems.size(), 2u); // line 2 is short; 27 lines are missing
}

TEST_F(LevelFileTest, AnEmptyFileLeavesAnEmptyWorld) {
    const LevelFile file = read("");
    for (int x = 0; x < MAP_SIZE; ++x) {
        for (int y = 0; y < MAP_SIZE; ++y) {
            ASSERT_EQ(grid[x][y], 0);
        }
    }
    EXPECT_EQ(file.problems.size(), 1u);
}

TEST_F(LevelFileTest, BinaryJunkNeverReadsOutsideTheGrid) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 200; ++round) {
        std::string junk(static_cast<size_t>(byte(random)) * 20, '\0');
        for (char& c : junk) {
            c = static_cast<char>(byte(random));
        }
        const LevelFile file = read(round % 2 ? junk : level(junk));
        for (const LevelFile::UnitPlace& place : file.units) {
            ASSERT_TRUE(MapGrid::contains(place.x, place.y));
        }
    }
}

TEST(NumberParserTest, NumbersBeyondAnIntSaturate) {
    EXPECT_EQ(NumberParser::readLeadingInt("2147483647"), INT_MAX);
    EXPECT_EQ(NumberParser::readLeadingInt("2147483648"), INT_MAX);
    EXPECT_EQ(NumberParser::readLeadingInt("-2147483648"), INT_MIN);
    EXPECT_EQ(NumberParser::readLeadingInt("-99999999999999999999999"), INT_MIN);
    EXPECT_EQ(NumberParser::readLeadingInt("  -12abc"), -12);
    EXPECT_EQ(NumberParser::readLeadingInt("22.9"), 22);
    EXPECT_EQ(NumberParser::readLeadingInt("-"), 0);
    EXPECT_EQ(NumberParser::readLeadingInt(""), 0);
}

TEST(NumberParserTest, TruncationTowardZeroSaturates) {
    EXPECT_EQ(NumberParser::truncateToInt(22.99), 22);
    EXPECT_EQ(NumberParser::truncateToInt(-0.7), 0);
    EXPECT_EQ(NumberParser::truncateToInt(1e300), INT_MAX);
    EXPECT_EQ(NumberParser::truncateToInt(-1e300), INT_MIN);
    EXPECT_EQ(NumberParser::truncateToInt(std::nan("")), 0);
}

} // namespace
