// The HUD: what it says and when, and that it draws nothing outside its corner.
#include "render/Hud.h"
#include "HeadlessGame.h"
#include "core/Event.h"

#include <allegro5/allegro_ttf.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

TEST(HudTest, SaysHealthAndSkullsAndANoticeForTwoSeconds) {
    Hud hud;
    EXPECT_EQ(hud.lines(100, 7), (Lines{"Health 100", "Skulls 7"}));
    hud.notify("Game saved");
    EXPECT_EQ(hud.lines(97, 0), (Lines{"Health 97", "Skulls 0", "Game saved"}));
    backdate(hud.noticeTimer, 1900.0);
    EXPECT_EQ(hud.lines(97, 0).size(), 3u);
    backdate(hud.noticeTimer, 2000.0);
    EXPECT_EQ(hud.lines(97, 0), (Lines{"Health 97", "Skulls 0"}));
}

TEST(HudTest, ANoticeGivenItsOwnTimeKeepsIt) {
    Hud hud;
    hud.notify("THE DEAD SLEEP ONCE MORE", 5000.0);
    backdate(hud.noticeTimer, 4900.0);
    EXPECT_EQ(hud.lines(97, 0).back(), "THE DEAD SLEEP ONCE MORE");
    backdate(hud.noticeTimer, 5000.0);
    EXPECT_EQ(hud.lines(97, 0).size(), 2u);
    hud.notify("Game saved"); // the next notice has the usual two seconds again
    backdate(hud.noticeTimer, 2000.0);
    EXPECT_EQ(hud.lines(97, 0).size(), 2u);
}

TEST(HudTest, ASoundsCaptionShowsForTwoSecondsWhenCaptionsAreOn) {
    Hud hud;
    hud.caption("Footsteps");
    EXPECT_EQ(hud.currentCaption(), "") << "captions are off";
    hud.captionsOn = true;
    hud.caption("Footsteps");
    backdate(hud.captionTimer, 1900.0);
    EXPECT_EQ(hud.currentCaption(), "Footsteps");
    backdate(hud.captionTimer, 2000.0);
    EXPECT_EQ(hud.currentCaption(), "");
}

TEST(HudTest, DrawsInItsCornerAndNowhereElse) {
    startAllegroForTests();
    ALLEGRO_FONT* font = al_load_font(DUSKMARCH_ASSET_DIR "/proggy.ttf", 16, 0);
    ASSERT_NE(font, nullptr);
    const auto pattern = [](int x, int y) { return al_map_rgb(x % 256, y % 256, (x * y) % 256); };
    ALLEGRO_BITMAP* frame = makeBitmap(600, 400, pattern);
    Hud hud;
    hud.notify("Could not save the game: No space left on device, and a long line too");
    al_set_target_bitmap(frame);
    hud.draw(font, 100, 12);
    int changedInside = 0;
    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 600; ++x) {
            const bool inside = x < Hud::LEFT + Hud::WIDTH && y < Hud::TOP + Hud::HEIGHT;
            const ALLEGRO_COLOR expected = pattern(x, y);
            const Rgba8 want{static_cast<int>(expected.r * 255 + 0.5f),
                             static_cast<int>(expected.g * 255 + 0.5f),
                             static_cast<int>(expected.b * 255 + 0.5f), 255};
            const bool changed = rgbaAt(frame, x, y) != want;
            changedInside += inside && changed;
            ASSERT_FALSE(!inside && changed) << "pixel " << x << ", " << y;
        }
    }
    EXPECT_GT(changedInside, 200); // three lines of text
    al_destroy_bitmap(frame);
    al_destroy_font(font);
}

class HudInPlayTest : public HeadlessGame {};

TEST_F(HudInPlayTest, TheRightButtonSaysWhetherTheGameWasSaved) {
    game->playing = true;
    testing::internal::CaptureStdout();
    game->handleEvent(Event(SAVE_EVENT));
    EXPECT_EQ(game->hud->lines(100, 0).back(), "Game saved");
    std::filesystem::remove("gamesave.dat");
    std::filesystem::create_directory("gamesave.dat.tmp"); // the save cannot be written
    game->handleEvent(Event(SAVE_EVENT));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(game->hud->lines(100, 0).back(),
              "Could not save: gamesave.dat.tmp: it is a directory, not a regular file");
}

} // namespace
