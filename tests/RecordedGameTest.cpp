// A replay plays as it was recorded whatever the player does meanwhile: the settings that
// steer the world are the demo's, and nothing of the player's is written while it plays.
#include "HeadlessGame.h"
#include "core/Event.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

class RecordedGameTest : public HeadlessGame {
  protected:
    void SetUp() override {
        HeadlessGame::SetUp();
        readyToPlay();
        game->playerSettings->path = "settings.ini";
    }

    // A demo recorded with smooth turning at sensitivity 7, of no frame yet.
    static Demo smoothDemo() {
        Demo demo;
        demo.steering.turning = Settings::Turning::Smooth;
        demo.steering.sensitivity = 7;
        return demo;
    }

    static constexpr double DEMOS_TURN = 7 * Settings::SMOOTH_RADIANS_PER_STEP;
};

TEST_F(RecordedGameTest, TheDemosTurningHoldsWhenThePlayerSwitchesTheScreen) {
    ASSERT_EQ(game->playerSettings->settings.turning, Settings::Turning::Classic);
    const Demo demo = smoothDemo();
    game->startReplay(&demo, true);
    EXPECT_DOUBLE_EQ(game->camera->radiansPerPixel, DEMOS_TURN);
    // F11 during the replay: the full screen remembered, which puts the settings in force.
    Settings switched = game->playerSettings->settings;
    switched.fullscreen = true;
    game->changeSettings(switched);
    EXPECT_DOUBLE_EQ(game->camera->radiansPerPixel, DEMOS_TURN);
    EXPECT_EQ(game->playerSettings->settings.turning, Settings::Turning::Classic)
        << "the player's own choice stays theirs";
    EXPECT_FALSE(std::filesystem::exists("settings.ini")) << "a replay writes no settings";
}

TEST_F(RecordedGameTest, AReplayCountsItsSavesAndWritesNone) {
    writeSave("x:3\ny:4\n");
    const Demo demo = smoothDemo();
    game->startReplay(&demo, true);
    game->handleEvent(Event(SAVE_EVENT));
    game->handleEvent(Event(QUIT_EVENT));
    EXPECT_EQ(readSave(), "x:3\ny:4\n");
    EXPECT_EQ(game->recordedGame->stats.saves, 2);
    EXPECT_EQ(game->exitStatus(), 0);
}

TEST_F(RecordedGameTest, PlayOfItsOwnKeepsThePlayersTurningAndWritesTheirChanges) {
    game->applySettings();
    EXPECT_DOUBLE_EQ(game->camera->radiansPerPixel, 0.0);
    Settings changed = game->playerSettings->settings;
    changed.turning = Settings::Turning::Smooth;
    game->changeSettings(changed);
    EXPECT_DOUBLE_EQ(game->camera->radiansPerPixel, changed.smoothRadiansPerPixel());
    EXPECT_TRUE(std::filesystem::exists("settings.ini"));
}

} // namespace
