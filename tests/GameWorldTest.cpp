// Game's world without a window: the level loaded from a scratch folder, units ordered
// and drawn into a memory bitmap, saving on quit.
#include "HeadlessGame.h"
#include "TestSupport.h"
#include "core/Event.h"
#include "game/Game.h"
#include "game/PlayView.h"
#include "game/SwordSway.h"
#include "render/BufferManager.h"
#include "render/Camera.h"
#include "world/MapGrid.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

class GameWorldTest : public HeadlessGame {
  protected:
    void SetUp() override {
        HeadlessGame::SetUp();
        target = al_create_bitmap(600, 400);
    }
    void TearDown() override {
        al_destroy_bitmap(target);
        HeadlessGame::TearDown();
    }

    std::string loadLevelAndCaptureOutput() {
        testing::internal::CaptureStdout();
        game->loadLevel();
        return testing::internal::GetCapturedStdout();
    }
    void drawFrame() {
        al_set_target_bitmap(target);
        game->view->drawFrame(SwordSway(400));
    }

    // Only the pass that measures the walls' depths, without units, sword or HUD.
    void drawWallPass() {
        const BitmapLock frame(asTarget(target), ALLEGRO_LOCK_READWRITE);
        game->camera->drawWalls(game->bufferManager->getBuffer(0), frame.image());
    }

    ALLEGRO_BITMAP* target = nullptr;
};

TEST_F(GameWorldTest, LoadingTheLevelFillsTheGridAndCreatesItsUnits) {
    writeLevel(closedRoom() + "unit:5 7\nunit:12 20\n");
    EXPECT_EQ(loadLevelAndCaptureOutput(), "");
    EXPECT_EQ(game->mapGrid[0][0], 2);
    EXPECT_EQ(game->mapGrid[22][22], 0);
    ASSERT_EQ(game->units.size(), 2u);
    EXPECT_DOUBLE_EQ(game->units[1]->x, 12.0);
    EXPECT_DOUBLE_EQ(game->units[1]->y, 20.0);
    // Each unit walks through the skull's frames and has the hurt picture.
    EXPECT_EQ(game->units[0]->animation->frameCount, 6);
    EXPECT_EQ(game->units[0]->hurtSprite, game->spriteManager->getSprite(4));
}

TEST_F(GameWorldTest, AMissingLevelIsSaidOnTheConsoleAndLeavesOpenFloor) {
    EXPECT_NE(loadLevelAndCaptureOutput().find("Cannot open the level"), std::string::npos);
    EXPECT_EQ(game->mapGrid[0][0], 0);
    EXPECT_TRUE(game->units.empty());
}

TEST_F(GameWorldTest, ProblemsInTheLevelAreSaidLineByLine) {
    writeLevel(closedRoom().substr(0, 40) + "\nunit:45 3\n");
    const std::string output = loadLevelAndCaptureOutput();
    EXPECT_NE(output.find("line 2 has only 9 cells"), std::string::npos) << output;
    EXPECT_NE(output.find("the grid has only"), std::string::npos) << output;
}

TEST_F(GameWorldTest, OrderingPutsTheFarthestFirstAndHidesUnitsBeyondSight) {
    game->createUnit(22.0, 25.0);  // 3 away
    game->createUnit(22.0, 26.71); // 4.71 away
    game->createUnit(22.0, 23.0);  // 1 away
    game->createUnit(26.7, 22.0);  // 4.7 away
    EXPECT_FALSE(game->view->orderUnits());
    std::vector<double> distances;
    for (Unit* unit : game->units) {
        distances.push_back(std::hypot(unit->x - 22.0, unit->y - 22.0));
    }
    EXPECT_TRUE(std::is_sorted(distances.rbegin(), distances.rend()));
    EXPECT_FALSE(game->units[0]->alive); // 4.71
    EXPECT_TRUE(game->units[1]->alive);  // 4.7 exactly
}

TEST_F(GameWorldTest, AUnitWithinHalfACellIsTheOnlyOneDrawn) {
    game->createUnit(22.0, 22.6);
    EXPECT_FALSE(game->view->orderUnits());
    game->createUnit(21.6, 22.0); // in front: the camera looks toward line 0
    EXPECT_TRUE(game->view->orderUnits());
    EXPECT_DOUBLE_EQ(game->units.back()->x, 21.6);
    EXPECT_EQ(game->view->nearestInFront(), game->units.back());
}

TEST_F(GameWorldTest, AUnitAtOrBehindThePlayerHidesNothingInFront) {
    writeLevel(closedRoom());
    game->loadLevel();
    const auto view = [this]() {
        drawFrame();
        std::vector<Rgba8> pixels;
        for (int y = 0; y < 400; y += 2) {
            for (int x = 0; x < 600; x += 2) {
                pixels.push_back(rgbaAt(target, x, y));
            }
        }
        return pixels;
    };
    const std::vector<Rgba8> empty = view();
    game->createUnit(20.5, 22.0); // a skull in plain view ahead
    const std::vector<Rgba8> skull = view();
    ASSERT_NE(skull, empty);
    game->createUnit(22.3, 22.0); // nearer, but behind
    game->createUnit(22.0, 22.0); // on the player's spot
    EXPECT_FALSE(game->view->orderUnits());
    EXPECT_EQ(view(), skull);
    // Up close in front, it is drawn alone, however near the ones behind are.
    game->createUnit(21.7, 22.0);
    EXPECT_TRUE(game->view->orderUnits());
    EXPECT_DOUBLE_EQ(game->view->nearestInFront()->x, 21.7);
}

TEST_F(GameWorldTest, AFrameShowsTheLevelAndTheSword) {
    writeLevel(closedRoom());
    game->loadLevel();
    drawFrame();
    // Not black and not flat: walls, floor and ceiling differ from one another.
    const Rgba8 ceiling = rgbaAt(target, 20, 20);
    const Rgba8 floor = rgbaAt(target, 20, 380);
    EXPECT_NE(ceiling, floor);
    EXPECT_GT(floor.r + floor.g + floor.b, 30);
    // The resting sword's blade crosses the middle of its picture.
    EXPECT_NE(rgbaAt(target, 150 + 150, 100 + 150), rgbaAt(target, 20, 250));
}

TEST_F(GameWorldTest, AUnitAheadAppearsInTheFrame) {
    writeLevel(closedRoom());
    game->loadLevel();
    drawFrame();
    const Rgba8 empty = rgbaAt(target, 240, 200);
    game->createUnit(20.0, 21.8); // two cells ahead, a little to the left
    game->units[0]->hurt = true;  // the hurt picture is red and opaque at its middle
    game->units[0]->hurtCounter = 10;
    drawFrame();
    EXPECT_NE(rgbaAt(target, 240, 200), empty);
}

TEST_F(GameWorldTest, AHitOnThePlayerFlashesRedForTenFrames) {
    writeLevel(closedRoom());
    game->loadLevel();
    drawFrame();
    const Rgba8 calm = rgbaAt(target, 20, 380);
    game->player->hurt = true;
    game->player->hurtCounter = 10;
    drawFrame();
    const Rgba8 flash = rgbaAt(target, 20, 380);
    EXPECT_GT(flash.r, calm.r + 100);
    EXPECT_EQ(flash.g, calm.g);
    for (int frame = 0; frame < 10; ++frame) {
        game->updateWorld();
    }
    EXPECT_FALSE(game->player->hurt);
    drawFrame();
    EXPECT_EQ(rgbaAt(target, 20, 380), calm);
}

TEST_F(GameWorldTest, QuitSavesAndEndsEvenBeforePlayBegins) {
    game->createUnit(3.9, 0.2);
    game->camera->posX = 22.99;
    game->camera->posY = 5.01;
    game->eventSystem->addListener(QUIT_EVENT, game);
    game->eventSystem->fireEvent(Event(QUIT_EVENT));
    EXPECT_TRUE(game->quit);
    EXPECT_EQ(readSave(), "x:22\ny:5\nplayer_health:10\nplayer_mana:10\nplayer_stamina:20\n"
                          "unit:3 0\n");
}

TEST_F(GameWorldTest, UpdatingTheWorldSetsThisFramesSpeedsFromTheGameSpeed) {
    game->framesPerSecond = 60.0;
    game->gameTimer->factor = 2.0;
    game->updateWorld();
    EXPECT_DOUBLE_EQ(game->camera->moveSpeed, 2.0 / 15.0);
    EXPECT_DOUBLE_EQ(game->camera->rotSpeed, 0.1);
}

} // namespace

namespace {

// Every open cell of the shipped level, saved and loaded again: the player comes back
// where no wall touches the viewpoint, so no column of the view is a wall at distance 0.
TEST_F(GameWorldTest, EveryLoadedCellOfTheShippedLevelShowsAProperView) {
    std::filesystem::copy_file(DUSKMARCH_LEVEL_FILE, "levels/RirUdodu.lev");
    game->loadLevel();
    int openCells = 0;
    for (int x = 0; x < MAP_SIZE; ++x) {
        for (int y = 0; y < MAP_SIZE; ++y) {
            if (game->mapGrid[x][y] != 0) {
                continue;
            }
            ++openCells;
            writeSave("x:" + std::to_string(x) + "\ny:" + std::to_string(y) + "\n");
            game->loadGame();
            drawWallPass();
            const double* depths = game->camera->depthBuffer;
            EXPECT_GT(*std::min_element(depths, depths + 200), 0.0) << "cell " << x << " " << y;
        }
    }
    EXPECT_GT(openCells, 300);
}

} // namespace

namespace {

// A blow's red over the view at the player's choice of strength: the full flash adds
// 0.6 of red, a reduced one a third of that, none nothing; only red changes.
TEST_F(GameWorldTest, TheDamageFlashTakesThePlayersStrength) {
    writeLevel(closedRoom());
    game->loadLevel();
    drawFrame();
    const Rgba8 calm = rgbaAt(target, 100, 300);
    game->player->hurt = true;
    game->player->hurtCounter = 10;
    game->inputSystem->createSnapshots();
    const std::pair<Settings::Flash, int> choices[] = {
        {Settings::Flash::Full, 153}, {Settings::Flash::Reduced, 51}, {Settings::Flash::Off, 0}};
    for (const auto& [flash, red] : choices) {
        game->playerSettings->settings.flash = flash; // as the Options screen leaves it
        game->applySettings();
        drawFrame();
        const Rgba8 flashed = rgbaAt(target, 100, 300);
        EXPECT_NEAR(flashed.r, std::min(255, calm.r + red), 1) << static_cast<int>(flashed.r);
        EXPECT_EQ(flashed.g, calm.g);
        EXPECT_EQ(flashed.b, calm.b);
    }
}

} // namespace

namespace {

// The share of the pixels above the map's foot that are the same in both frames.
double sameShare(ALLEGRO_BITMAP* a, ALLEGRO_BITMAP* b) {
    const int height = 400 - MapScreen::FOOT_HEIGHT;
    int same = 0;
    for (int y = 0; y < height; y += 2) {
        for (int x = 0; x < 600; x += 2) {
            same += rgbaAt(a, x, y) == rgbaAt(b, x, y) ? 1 : 0;
        }
    }
    return same / (300.0 * height / 2);
}

// The map as the player chose it: in place of the view, or half through over it, where
// what was never seen shows the view itself.
TEST_F(GameWorldTest, TheOverlayMapShowsTheViewThroughIt) {
    writeLevel(closedRoom());
    game->loadLevel();
    game->inputSystem->createSnapshots();
    drawFrame();
    ALLEGRO_BITMAP* view = al_clone_bitmap(target);
    game->camera->markSeen(game->mapScreen->seen);
    game->mapScreen->open = true;
    game->playerSettings->settings.mapMode = Settings::MapMode::Overlay;
    game->applySettings();
    drawFrame();
    EXPECT_GT(sameShare(view, target), 0.5) << "the unseen shows the view";
    EXPECT_LT(sameShare(view, target), 0.95) << "the seen cells show over it";
    game->playerSettings->settings.mapMode = Settings::MapMode::Full;
    game->applySettings();
    drawFrame();
    EXPECT_LT(sameShare(view, target), 0.2) << "the full map hides the view";
    al_destroy_bitmap(view);
}

} // namespace

namespace {

// A start in a wall: the path search prints the wall's value once per skull a frame, as
// designed; in the editor's play of a level still in the making the console stays quiet.
TEST_F(GameWorldTest, TheEditorsPlayKeepsTheConsoleQuietAboutAStartInAWall) {
    const std::string level = closedRoom("unit:5 5\nstart:0 3\n");
    readyToPlay();
    const auto frames = [this]() {
        testing::internal::CaptureStdout();
        for (int i = 0; i < 3; ++i) {
            game->updateWorld();
        }
        return testing::internal::GetCapturedStdout();
    };
    game->files.fromEditor = true;
    game->files.editorText = level;
    game->startPlay(false);
    EXPECT_EQ(frames(), "");
    game->files.fromEditor = false;
    writeLevel(level);
    game->startPlay(false);
    EXPECT_EQ(frames(), "2\n2\n2\n") << "as designed";
}

} // namespace
