#include "world/SaveReader.h"
#include "fuzz/ReaderChecks.h"
#include "world/MapGrid.h"
#include "world/SaveWriter.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace {

SaveReader readText(const std::string& text) {
    std::istringstream in(text);
    return SaveReader::read(in);
}

std::vector<std::pair<int, int>> placesOf(const SaveReader& save) {
    std::vector<std::pair<int, int>> places;
    for (const LevelFile::UnitPlace& place : save.units) {
        places.emplace_back(place.x, place.y);
    }
    return places;
}

// Random records, most of them inside the grid and some far outside it or not numbers
// at all, written and read back under the promises the write-then-read fuzzer checks.
TEST(SaveReaderTest, WhatTheWriterWritesReadsBackAsWholeNumbers) {
    std::mt19937 random(20);
    std::uniform_real_distribution<double> nearGrid(-3.0, MAP_SIZE + 3.0);
    std::uniform_int_distribution<int32_t> anyInt(INT_MIN, INT_MAX);
    const double odd[] = {std::nan(""), 1e300, -1e300, -0.0, 29.999999, 30.0};
    auto position = [&]() {
        return random() % 8 == 0 ? odd[random() % std::size(odd)] : nearGrid(random);
    };
    for (int round = 0; round < 2000; ++round) {
        SaveRecord record;
        record.player = {position(), position()};
        record.health = anyInt(random);
        record.mana = anyInt(random);
        record.stamina = anyInt(random);
        record.units.resize(random() % 6);
        for (SaveRecord::Place& unit : record.units) {
            unit = {position(), position()};
        }
        record.keepsMap = random() % 2 == 0;
        if (record.keepsMap) {
            const unsigned share = random() % 5;
            record.seen.assign(MAP_SIZE, std::vector<bool>(MAP_SIZE, false));
            for (auto& row : record.seen) {
                for (std::size_t y = 0; y < row.size(); ++y) {
                    row[y] = random() % 4 < share;
                }
            }
            record.marks.resize(random() % (SaveReader::MAX_MARKS + 1));
            for (SaveRecord::Place& mark : record.marks) {
                mark = {static_cast<double>(random() % MAP_SIZE),
                        static_cast<double>(random() % MAP_SIZE)};
            }
        }
        checkSaveRoundTrip(record);
    }
    SaveRecord record;
    record.player = {13.9, 4.2};
    record.units = {{5.5, 6.99}, {28.0, 1.0}};
    const SaveReader save = readText(SaveWriter::compose(record));
    EXPECT_EQ(save.x, 13);
    EXPECT_EQ(save.y, 4);
    EXPECT_EQ(placesOf(save), (std::vector<std::pair<int, int>>{{5, 6}, {28, 1}}));
}

TEST(SaveReaderTest, KeysComeInAnyOrderAndTheLastOneWins) {
    const SaveReader save =
        readText("unit:1 2\nplayer_mana:4\ny:3\nx:9\nunit:3 4\nx:11\nplayer_mana:6\n");
    EXPECT_EQ(save.x, 11);
    EXPECT_EQ(save.y, 3);
    EXPECT_EQ(save.mana, 6);
    EXPECT_FALSE(save.health.has_value());
    EXPECT_FALSE(save.stamina.has_value());
    EXPECT_EQ(placesOf(save), (std::vector<std::pair<int, int>>{{1, 2}, {3, 4}}));
}

TEST(SaveReaderTest, EachKeyIsTriedOnWhatTheOnesBeforeItLeft) {
    const SaveReader save = readText("x:y:7\n");
    EXPECT_EQ(save.x, 0);
    EXPECT_EQ(save.y, 7);
    const SaveReader chained = readText("x:5player_health:8\ny:unit:4 6\n");
    EXPECT_EQ(chained.x, 5); // the number ends the "x:" value, so the health key is not first
    EXPECT_FALSE(chained.health.has_value());
    EXPECT_EQ(chained.y, 0);
    EXPECT_EQ(placesOf(chained), (std::vector<std::pair<int, int>>{{4, 6}}));
}

TEST(SaveReaderTest, KeysCountOnlyAtTheStartAndInLowerCase) {
    const SaveReader save = readText(" x:5\nX:6\nY:7\n\tunit:1 1\nPLAYER_HEALTH:3\n\nnonsense\n");
    EXPECT_FALSE(save.x.has_value());
    EXPECT_FALSE(save.y.has_value());
    EXPECT_FALSE(save.health.has_value());
    EXPECT_FALSE(save.replacesUnits);
}

TEST(SaveReaderTest, NumbersAreReadAsAtoiReadsThem) {
    const SaveReader save = readText("x:22.9\ny:  +7abc\nplayer_health:-12\nplayer_mana:\n"
                                     "player_stamina:0x1F\r\n");
    EXPECT_EQ(save.x, 22);
    EXPECT_EQ(save.y, 7);
    EXPECT_EQ(save.health, -12);
    EXPECT_EQ(save.mana, 0);
    EXPECT_EQ(save.stamina, 0);
}

TEST(SaveReaderTest, AFileWithoutUnitLinesLeavesTheUnitsAlone) {
    const SaveReader save = readText("x:1\ny:2\n");
    EXPECT_FALSE(save.replacesUnits);
    EXPECT_TRUE(save.units.empty());
}

TEST(SaveReaderTest, UnitNumbersThatCannotBeReadAreZero) {
    const SaveReader save = readText("unit:\nunit:7\nunit:x 9\nunit:-0 12 13\n");
    EXPECT_EQ(placesOf(save), (std::vector<std::pair<int, int>>{{0, 0}, {7, 0}, {0, 0}, {0, 12}}));
}

TEST(SaveReaderTest, NothingInTheFileLeavesTheGrid) {
    const SaveReader save = readText("x:5\nx:-1\nx:30\ny:99999999999999999999\ny:12\n"
                                     "y:-99999999999999999999\nplayer_health:99999999999\n"
                                     "player_mana:-99999999999\nunit:30 0\nunit:0 -1\n"
                                     "unit:2147483648 3\n");
    EXPECT_EQ(save.x, 5); // the values outside the grid are passed over
    EXPECT_EQ(save.y, 12);
    EXPECT_EQ(save.health, INT_MAX);
    EXPECT_EQ(save.mana, INT_MIN);
    EXPECT_TRUE(save.replacesUnits); // the level's units go even so
    EXPECT_TRUE(save.units.empty());
}

TEST(SaveReaderTest, BinaryJunkIsReadWithoutHarm) {
    std::mt19937 random(4);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int file = 0; file < 50; ++file) {
        std::string junk;
        for (int i = 0; i < 4000; ++i) {
            junk += static_cast<char>(byte(random));
        }
        // Keys among the junk, so that numbers of every kind get read.
        junk += "\nunit:" + junk.substr(0, 40) + "\nx:" + junk.substr(40, 20);
        const SaveReader save = readText(junk);
        EXPECT_TRUE(!save.x || MapGrid::contains(*save.x, 0));
        for (const LevelFile::UnitPlace& place : save.units) {
            EXPECT_TRUE(MapGrid::contains(place.x, place.y));
        }
    }
    // A NUL ends the number as it would end a C string.
    EXPECT_EQ(readText(std::string("x:\0"
                                   "5\n",
                                   5))
                  .x,
              0);
}

// The map's lines: a save without them keeps no map; rows and marks that are not exactly
// what the writer writes are dropped whole, and never reach past the grid.
TEST(SaveReaderTest, TheMapsLinesAreTakenOnlyAsTheWriterWritesThem) {
    EXPECT_FALSE(readText("x:3\ny:4\n").keepsMap);
    const std::string row5 = "seen:5 " + std::string(MAP_SIZE - 1, '0') + "1\n";
    const std::string good = "map:1\n" + row5 + "mark:2 7 8\nmark:1 3 4\n";
    const SaveReader save = readText(good);
    EXPECT_TRUE(save.keepsMap);
    EXPECT_TRUE(save.seen[5][MAP_SIZE - 1]);
    EXPECT_FALSE(save.seen[5][0]);
    ASSERT_EQ(save.marks().size(), 2u);
    EXPECT_EQ(save.marks()[0].x, 3) << "marks go by their numbers";
    const std::string ones(MAP_SIZE, '1');
    const std::string hostile[] = {"seen:30 " + ones,
                                   "seen:-1 " + ones,
                                   "seen:5 " + ones.substr(1),
                                   "seen:5 " + ones + "1",
                                   "seen:5 " + ones.substr(1) + "2",
                                   "seen:5" + ones,
                                   "seen:99999999999999999999 " + ones,
                                   "mark:0 1 1",
                                   "mark:11 1 1",
                                   "mark:1 30 1",
                                   "mark:1 1 -1",
                                   "mark:1 2",
                                   "mark:1 2 3 4",
                                   "mark:99999999999999999999 1 1",
                                   "mark:1 x 1"};
    for (const std::string& line : hostile) {
        const SaveReader dropped = readText("map:1\n" + line + "\n");
        EXPECT_TRUE(dropped.marks().empty()) << line;
        for (const auto& row : dropped.seen) {
            EXPECT_EQ(std::count(row.begin(), row.end(), true), 0) << line;
        }
    }
}

} // namespace
