// Every level of the crypt shown cleared by a recorded game (the first at every skill,
// the others in tests/demos/crypt), replayed exactly without a window, frame by frame as
// the game's play loop steps the world, to the summary the game wrote when it replayed
// it in the window. In the sanitized build this is where the clears are replayed.
#include "HeadlessGame.h"

#include "world/Demo.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string fileText(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

class ClearDemosTest : public HeadlessGame {
  protected:
    // Replays the demo on its level from levels/; false at the first frame out of step.
    bool replay(const fs::path& demoPath, Demo& demo) {
        std::string reason;
        if (!Demo::read(fileText(demoPath), demo, reason)) {
            ADD_FAILURE() << demoPath << ": " << reason;
            return false;
        }
        fs::copy_file(fs::path(DUSKMARCH_SOURCE_DIR) / "levels" / demo.levelName,
                      fs::path("levels") / demo.levelName);
        game->files.levelPath = "levels/" + demo.levelName;
        game->listenForRules();
        game->inputSystem->createSnapshots();
        game->framesPerSecond = 60.0;
        game->startReplay(&demo, true);
        game->startPlayLoop();
        EXPECT_EQ(game->files.levelHash, demo.levelHash) << "the demo's level, by its bytes";
        Demo::Frame frame;
        while (game->recordedGame->nextFrame(PlayerCommand(), frame)) {
            game->worldClock->advance(frame.stepNs);
            game->updateWorld();
            game->inputSystem->fire(frame.command);
            game->camera->markSeen(game->mapScreen->seen);
            game->view->orderUnits();    // as the frame's drawing orders them
            game->camera->moved = false; // and as its wall pass leaves these
            game->camera->running = false;
            if (!game->recordedGame->checkFrame(frame)) {
                return false;
            }
        }
        return true;
    }
};

const fs::path DEMO_ROOT = fs::path(DUSKMARCH_SOURCE_DIR) / "tests" / "demos";
const fs::path DEMO_FOLDER = DEMO_ROOT / "crypt";

class ClearDemo : public ClearDemosTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ClearDemo, ClearsItsLevelReplayedExactlyToTheWindowsSummary) {
    Demo demo;
    const fs::path demoPath = DEMO_ROOT / (std::string(GetParam()) + ".demo");
    ASSERT_TRUE(replay(demoPath, demo))
        << "out of step at frame " << game->recordedGame->stats.frames;
    EXPECT_TRUE(game->units.empty()) << "the last skull fell";
    ASSERT_TRUE(game->recordedGame->writeStatDump("replayed.stats"));
    EXPECT_EQ(fileText("replayed.stats"),
              fileText(DEMO_ROOT / (std::string(GetParam()) + ".stats")));
}

// The crypt's other levels, and the first cleared at every skill, which the normal build
// replays in the window too.
INSTANTIATE_TEST_SUITE_P(Levels, ClearDemo,
                         ::testing::Values("crypt/narrows", "crypt/greathall", "crypt/ossuary",
                                           "crypt/longdark", "clear-designed", "clear-haunted",
                                           "clear-hunted", "clear-merciless"));

// Every level the crypt names after the first has its demo here, by the level's bytes.
TEST(ClearDemosCoverTest, EveryLevelOfTheCryptButTheFirstHasADemoOfItsOwn) {
    std::set<std::string> named;
    std::ifstream crypt(fs::path(DUSKMARCH_SOURCE_DIR) / "levels" / "crypt.ini");
    for (std::string line; std::getline(crypt, line);) {
        if (line.rfind("levels = ", 0) == 0) {
            std::istringstream names(line.substr(9));
            for (std::string name; names >> name;) {
                named.insert(name);
            }
        }
    }
    named.erase("RirUdodu.lev"); // cleared at every skill by the window's demos
    std::set<std::string> demos;
    for (const fs::directory_entry& entry : fs::directory_iterator(DEMO_FOLDER)) {
        Demo demo;
        std::string reason;
        if (entry.path().extension() == ".demo" &&
            Demo::read(fileText(entry.path()), demo, reason)) {
            demos.insert(demo.levelName);
        }
    }
    EXPECT_EQ(demos, named);
}

} // namespace
