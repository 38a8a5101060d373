#include "world/SaveWriter.h"
#include "TestSupport.h"
#include "core/EventSystem.h"
#include "render/Camera.h"
#include "units/Unit.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

std::string contentsOf(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

class SaveWriterTest : public ::testing::Test {
  protected:
    void TearDown() override {
        for (Unit* unit : units) {
            delete unit;
        }
    }
    void addUnit(double x, double y) { units.push_back(new Unit(&events, nullptr, x, y)); }

    EventSystem events;
    Camera camera{&events};
    Unit player;
    std::vector<Unit*> units;
};

TEST_F(SaveWriterTest, ANewGameWithTwoUnits) {
    camera.posX = 22.0;
    camera.posY = 22.0;
    player.health = 100;
    addUnit(5.0, 7.0);
    addUnit(12.0, 20.0);
    EXPECT_EQ(SaveWriter::compose(camera, player, units), "x:22\n"
                                                          "y:22\n"
                                                          "player_health:100\n"
                                                          "player_mana:10\n"
                                                          "player_stamina:20\n"
                                                          "unit:5 7\n"
                                                          "unit:12 20\n");
}

TEST_F(SaveWriterTest, PositionsAreTruncatedAndNegativeStatsKeepTheirSign) {
    camera.posX = 22.99;
    camera.posY = 5.01;
    player.health = 0;
    player.stamina = -1;
    addUnit(3.9, 0.2);
    EXPECT_EQ(SaveWriter::compose(camera, player, units), "x:22\n"
                                                          "y:5\n"
                                                          "player_health:0\n"
                                                          "player_mana:10\n"
                                                          "player_stamina:-1\n"
                                                          "unit:3 0\n");
}

TEST_F(SaveWriterTest, WithNoUnitsOnlyThePlayersFiveLines) {
    const std::string text = SaveWriter::compose(camera, player, units);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5);
    EXPECT_EQ(text.find("unit:"), std::string::npos);
}

TEST_F(SaveWriterTest, ASaveReplacesTheOldFileWhole) {
    ScratchFolder folder;
    ASSERT_TRUE(SaveWriter::replaceFile("gamesave.dat", "a much longer earlier save\n"));
    ASSERT_TRUE(SaveWriter::replaceFile("gamesave.dat", "x:1\n"));
    EXPECT_EQ(contentsOf("gamesave.dat"), "x:1\n");
    EXPECT_FALSE(std::filesystem::exists("gamesave.dat.tmp"));
}

TEST_F(SaveWriterTest, ASaveThatCannotBeWrittenKeepsTheEarlierOne) {
    ScratchFolder folder;
    ASSERT_TRUE(SaveWriter::replaceFile("gamesave.dat", "x:1\n"));
    // The new file goes beside the old one first; make that impossible.
    std::filesystem::create_directory("gamesave.dat.tmp");
    EXPECT_FALSE(SaveWriter::replaceFile("gamesave.dat", "x:2\n"));
    EXPECT_EQ(contentsOf("gamesave.dat"), "x:1\n");
}

} // namespace
