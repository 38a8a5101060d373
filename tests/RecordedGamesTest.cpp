// Every recorded game of tests/demos (and tests/demos/crypt), replayed exactly without a
// window, frame by frame as the game's play loop steps the world in a replay, to the
// summary the game wrote when it replayed it in the window: every level of the crypt
// shown cleared (the first at every skill), and the regression demos. In the sanitized
// build this is where most of them are replayed; the window replays those that need it.
#include "HeadlessGame.h"

#include "world/Demo.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const fs::path DEMO_ROOT = fs::path(DUSKMARCH_SOURCE_DIR) / "tests" / "demos";

std::string fileText(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

struct Recording {
    const char* name; // under tests/demos, without ".demo"
    bool clears;      // the level's last skull falls in it
};

class RecordedGames : public HeadlessGame, public ::testing::WithParamInterface<Recording> {
  protected:
    // Replays the demo on its level (its own NAME.lev beside it, or the crypt's); false at
    // the first frame out of step.
    bool replay(const fs::path& demoPath, Demo& demo) {
        std::string reason;
        if (!Demo::read(fileText(demoPath), demo, reason)) {
            ADD_FAILURE() << demoPath << ": " << reason;
            return false;
        }
        fs::path own = demoPath;
        own.replace_extension(".lev");
        fs::copy_file(fs::exists(own) ? own
                                      : fs::path(DUSKMARCH_SOURCE_DIR) / "levels" / demo.levelName,
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
            game->takeMapCommands(frame.command);
            game->camera->markSeen(game->mapScreen->seen);
            if (!game->mapScreen->open) {
                game->view->orderUnits(); // as the frame's drawing of the view orders them
            }
            game->camera->moved = false; // and as its wall pass leaves these
            game->camera->running = false;
            if (!game->recordedGame->checkFrame(frame)) {
                return false;
            }
        }
        return true;
    }
};

const Recording RECORDINGS[] = {{"crypt/narrows", true},
                                {"crypt/greathall", true},
                                {"crypt/ossuary", true},
                                {"crypt/longdark", true},
                                {"clear-designed", true},
                                {"clear-haunted", true},
                                {"clear-hunted", true},
                                {"clear-merciless", true},
                                {"walk", false},
                                {"fight", true},
                                {"speed", false},
                                {"load", false},
                                {"crowd", false},
                                {"fall", false},
                                {"pause", false},
                                {"fullscreen", false},
                                {"map", false},
                                // At Haunted: a skull striking from the player's diagonal,
                                // struck back (as designed no swing could reach it).
                                {"diagonal", true}};

TEST_P(RecordedGames, ReplayExactlyToTheWindowsSummary) {
    Demo demo;
    const fs::path demoPath = DEMO_ROOT / (std::string(GetParam().name) + ".demo");
    ASSERT_TRUE(replay(demoPath, demo))
        << "out of step at frame " << game->recordedGame->stats.frames;
    if (GetParam().clears) {
        EXPECT_TRUE(game->units.empty()) << "the last skull fell";
    }
    ASSERT_TRUE(game->recordedGame->writeStatDump("replayed.stats"));
    fs::path stats = demoPath;
    EXPECT_EQ(fileText("replayed.stats"), fileText(stats.replace_extension(".stats")));
}

INSTANTIATE_TEST_SUITE_P(Demos, RecordedGames, ::testing::ValuesIn(RECORDINGS));

// Every demo kept is replayed here, and every level the crypt names has one that clears it.
TEST(RecordedGamesCoverTest, EveryDemoIsReplayedAndEveryLevelOfTheCryptCleared) {
    std::set<std::string> kept;
    for (const fs::path& folder : {DEMO_ROOT, DEMO_ROOT / "crypt"}) {
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            if (entry.path().extension() == ".demo") {
                kept.insert((folder == DEMO_ROOT ? "" : "crypt/") + entry.path().stem().string());
            }
        }
    }
    std::set<std::string> replayed;
    std::set<std::string> cleared;
    for (const Recording& recording : RECORDINGS) {
        replayed.insert(recording.name);
        Demo demo;
        std::string reason;
        const fs::path path = DEMO_ROOT / (std::string(recording.name) + ".demo");
        if (recording.clears && Demo::read(fileText(path), demo, reason) &&
            !fs::exists(fs::path(path).replace_extension(".lev"))) {
            cleared.insert(demo.levelName);
        }
    }
    EXPECT_EQ(replayed, kept);
    std::set<std::string> crypt;
    std::ifstream file(fs::path(DUSKMARCH_SOURCE_DIR) / "levels" / "crypt.ini");
    for (std::string line; std::getline(file, line);) {
        if (line.rfind("levels = ", 0) == 0) {
            std::istringstream names(line.substr(9));
            for (std::string name; names >> name;) {
                crypt.insert(name);
            }
        }
    }
    EXPECT_EQ(cleared, crypt);
}

} // namespace
