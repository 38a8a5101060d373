#include "world/SaveWriter.h"
#include "TestSupport.h"
#include "core/RegularFile.h"
#include "world/SaveReader.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace {

std::string contentsOf(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

class SaveWriterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        record.player = {22.0, 22.0};
        record.health = 100;
        record.mana = 10;
        record.stamina = 20;
    }

    SaveRecord record;
};

TEST_F(SaveWriterTest, ANewGameWithTwoUnits) {
    record.units = {{5.0, 7.0}, {12.0, 20.0}};
    EXPECT_EQ(SaveWriter::compose(record), "x:22\n"
                                           "y:22\n"
                                           "player_health:100\n"
                                           "player_mana:10\n"
                                           "player_stamina:20\n"
                                           "unit:5 7\n"
                                           "unit:12 20\n");
}

TEST_F(SaveWriterTest, PositionsAreTruncatedAndNegativeStatsKeepTheirSign) {
    record.player = {22.99, 5.01};
    record.health = 0;
    record.stamina = -1;
    record.units = {{3.9, 0.2}};
    EXPECT_EQ(SaveWriter::compose(record), "x:22\n"
                                           "y:5\n"
                                           "player_health:0\n"
                                           "player_mana:10\n"
                                           "player_stamina:-1\n"
                                           "unit:3 0\n");
}

// A cleared level: the player's five lines and "units:0", which a reader that knows no
// such key skips, and which makes Load give a level without units.
TEST_F(SaveWriterTest, WithNoUnitsTheSaveSaysTheLevelIsCleared) {
    const std::string text = SaveWriter::compose(record);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 6);
    EXPECT_EQ(text.find("unit:"), std::string::npos);
    EXPECT_EQ(text.substr(text.rfind('\n', text.size() - 2) + 1), "units:0\n");
    std::istringstream saved(text);
    const SaveReader save = SaveReader::read(saved);
    EXPECT_TRUE(save.replacesUnits);
    EXPECT_TRUE(save.units.empty());
    EXPECT_TRUE(save.x.has_value() && save.stamina.has_value());
}

TEST_F(SaveWriterTest, ASaveReplacesTheOldFileWhole) {
    ScratchFolder folder;
    std::string reason;
    ASSERT_TRUE(RegularFile::replace("gamesave.dat", "a much longer earlier save\n", reason));
    ASSERT_TRUE(RegularFile::replace("gamesave.dat", "x:1\n", reason));
    EXPECT_EQ(contentsOf("gamesave.dat"), "x:1\n");
    EXPECT_FALSE(std::filesystem::exists("gamesave.dat.tmp"));
    // A stale temporary file of an interrupted save is no obstacle.
    std::ofstream("gamesave.dat.tmp") << "half a save";
    ASSERT_TRUE(RegularFile::replace("gamesave.dat", "x:2\n", reason));
    EXPECT_EQ(contentsOf("gamesave.dat"), "x:2\n");
}

// Whatever stands at either name that is not a file: the save fails, saying what and
// where, and the earlier save stays.
TEST_F(SaveWriterTest, ASaveThatCannotBeWrittenKeepsTheEarlierOneAndSaysWhy) {
    ScratchFolder folder;
    std::string reason;
    ASSERT_TRUE(RegularFile::replace("gamesave.dat", "x:1\n", reason));
    std::filesystem::create_directory("gamesave.dat.tmp");
    EXPECT_FALSE(RegularFile::replace("gamesave.dat", "x:2\n", reason));
    EXPECT_EQ(reason, "gamesave.dat.tmp: it is a directory, not a regular file");
    EXPECT_EQ(contentsOf("gamesave.dat"), "x:1\n");
    std::filesystem::remove("gamesave.dat.tmp");

    ASSERT_EQ(mkfifo("gamesave.dat.tmp", 0644), 0); // opening a FIFO to write would block
    EXPECT_FALSE(RegularFile::replace("gamesave.dat", "x:2\n", reason));
    EXPECT_EQ(reason, "gamesave.dat.tmp: it is a FIFO, not a regular file");
    std::filesystem::remove("gamesave.dat.tmp");

    std::filesystem::rename("gamesave.dat", "kept.dat");
    std::filesystem::create_directory("gamesave.dat");
    EXPECT_FALSE(RegularFile::replace("gamesave.dat", "x:2\n", reason));
    EXPECT_EQ(reason, "gamesave.dat: it is a directory, not a regular file");
    EXPECT_FALSE(std::filesystem::exists("gamesave.dat.tmp"));
}

TEST_F(SaveWriterTest, ALinkAtTheTemporaryNameIsReplacedNotWrittenThrough) {
    ScratchFolder folder;
    std::ofstream("other.txt") << "not a save";
    std::filesystem::create_symlink("other.txt", "gamesave.dat.tmp");
    std::string reason;
    ASSERT_TRUE(RegularFile::replace("gamesave.dat", "x:3\n", reason)) << reason;
    EXPECT_EQ(contentsOf("other.txt"), "not a save");
    EXPECT_EQ(contentsOf("gamesave.dat"), "x:3\n");
    EXPECT_FALSE(std::filesystem::is_symlink("gamesave.dat"));
}

} // namespace
