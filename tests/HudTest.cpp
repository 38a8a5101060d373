// The HUD: what it says and when, and that it draws nothing outside its corner.
#include "render/Hud.h"
#include "HeadlessGame.h"
#include "core/Event.h"
#include "game/PlayView.h"
#include "screens/MapScreen.h"
#include "screens/PauseScreen.h"

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
    hud.draw(font, 100, 12, Hud::Frame());
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

namespace {

// Where the words of play and of the screens over it stand: laid out as each drawing lays
// them out, no line ever stands on another.
class WordsApartTest : public HeadlessGame {
  protected:
    void SetUp() override {
        HeadlessGame::SetUp();
        font = al_load_font(DUSKMARCH_ASSET_DIR "/proggy.ttf", 16, 0);
        ASSERT_NE(font, nullptr);
        target = al_create_bitmap(600, 400);
        al_set_target_bitmap(target);
        game->view->tally.blowsGiven = 128;
        game->view->tally.misses = 37;
        game->view->tally.timeMs = 725000;
        game->view->wayOn = "N: on to The Great Hall";
    }
    void TearDown() override {
        al_destroy_bitmap(target);
        al_destroy_font(font);
        HeadlessGame::TearDown();
    }

    // Every two lines apart, and each inside the frame.
    void expectApart(const std::vector<PlacedText>& lines) const {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const PlacedText::Box box = lines[i].box(font);
            EXPECT_GE(box.left, 0.0f) << lines[i].text;
            EXPECT_LE(box.right, 600.0f) << lines[i].text;
            EXPECT_LE(box.bottom, 400.0f) << lines[i].text;
            for (std::size_t j = 0; j < i; ++j) {
                EXPECT_FALSE(box.overlaps(lines[j].box(font)))
                    << '"' << lines[i].text << "\" over \"" << lines[j].text << '"';
            }
        }
    }
    static void add(std::vector<PlacedText>& all, const std::vector<PlacedText>& more) {
        all.insert(all.end(), more.begin(), more.end());
    }

    ALLEGRO_FONT* font = nullptr;
    ALLEGRO_BITMAP* target = nullptr;
};

// Paused while the cleared level's panel shows: the pause screen says the tally itself,
// and the frame under it shows neither the panel nor a frame rate that stands still.
TEST_F(WordsApartTest, ThePauseScreenOverTheClearedLevelsPanel) {
    game->view->showTally();
    backdate(game->view->tallyTimer, PlayView::TALLY_DELAY_MS + 100.0);
    ASSERT_FALSE(game->view->tallyPanelLines(false).empty()) << "the panel shows over play";
    game->hud->fpsOn = true;
    game->hud->draw(nullptr, 100, 0, Hud::Frame()); // the count of frames begins
    EXPECT_EQ(game->view->hudLayout(false).beyond.size(), 1u) << "the rate, over play";
    game->pauseScreen->tallyLines = game->view->tally.lines();
    game->pauseScreen->tallyLines.push_back(game->view->wayOn);
    std::vector<PlacedText> all = game->pauseScreen->placedLines();
    add(all, game->view->tallyPanelLines(true));
    game->mapScreen->open = true;
    EXPECT_TRUE(game->view->tallyPanelLines(false).empty()) << "the map's foot tells it";
    game->mapScreen->open = false;
    const Hud::Layout hud = game->view->hudLayout(true);
    add(all, hud.corner);
    add(all, hud.beyond);
    expectApart(all);
    EXPECT_TRUE(hud.beyond.empty()) << "no frame rate under the pause screen";
}

// The map open over play: a caption stands above the map's foot, which tells the tally
// in words and, once the level is cleared, the way on; a mark stands where the arrow was
// when M was pressed, and a second M in its cell takes it away.
TEST_F(WordsApartTest, TheMapsFootTheCaptionAndTheMarks) {
    MapScreen& map = *game->mapScreen;
    const MapScreen::Player player{22.0, 22.0, -1.0, 0.0}; // on a cell's corner, as at the start
    PlayerCommand command;
    command.map = true;
    map.take(command, player);
    command = PlayerCommand();
    command.mark = true;
    map.take(command, player);
    ASSERT_EQ(map.seen.marks().size(), 1u);
    float arrowX = 0.0f, arrowY = 0.0f;
    MapView::toScreen(map.lookFor(player), 600, 400, player.x, player.y, arrowX, arrowY);
    const PlacedText::Box box = map.markBox(player, map.seen.marks()[0]);
    EXPECT_TRUE(box.left < arrowX && arrowX < box.right && box.top < arrowY && arrowY < box.bottom)
        << "the mark's box is round the arrow";
    map.take(command, {22.4, 22.3, -1.0, 0.0});
    EXPECT_TRUE(map.seen.marks().empty()) << "a second M in the cell takes the mark away";
    map.take(command, {22.4, 22.3, -1.0, 0.0});
    map.take(command, {20.5, 22.5, -1.0, 0.0});
    game->hud->captionsOn = true;
    game->hud->caption("A skull, to the left");
    for (const std::string wayOn : {"", "N: on to The Great Hall"}) {
        game->view->wayOn = wayOn;
        std::vector<PlacedText> all = map.footLines(game->view->tally, wayOn);
        ASSERT_EQ(all.size(), wayOn.empty() ? 2u : 3u);
        EXPECT_NE(all[1].text.find("Blows given 128, missed 37"), std::string::npos) << all[1].text;
        EXPECT_EQ(all.back().text, wayOn.empty() ? all[1].text : wayOn);
        add(all, map.markNumbers(player));
        const Hud::Layout hud = game->view->hudLayout(false);
        ASSERT_EQ(hud.beyond.size(), 1u);
        add(all, hud.corner);
        add(all, hud.beyond);
        expectApart(all);
    }
}

} // namespace
