#include "TestSupport.h"

#include "render/Menu.h"

#include <gtest/gtest.h>

namespace {

const std::string FONT = std::string(DUSKMARCH_ASSET_DIR) + "/RuduRev.ttf";

// Draws a menu into a 600 by 400 memory bitmap and reads its pixels back.
class MenuTest : public ::testing::Test {
  protected:
    void SetUp() override {
        startAllegroForTests();
        target = al_create_bitmap(600, 400);
        al_set_target_bitmap(target);
        al_clear_to_color(al_map_rgb(0, 0, 0));
    }
    void TearDown() override {
        al_set_target_bitmap(nullptr);
        al_destroy_bitmap(target);
    }

    enum class Ink { Green, White };

    // Pixels of the given ink in the rows [top, bottom).
    int inkIn(Ink ink, int top, int bottom) const {
        int count = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = 0; x < 600; ++x) {
                unsigned char r, g, b;
                al_unmap_rgb(al_get_pixel(target, x, y), &r, &g, &b);
                const bool green = g > 200 && r < 60 && b < 60;
                const bool white = r > 200 && g > 200 && b > 200;
                count += (ink == Ink::Green ? green : white) ? 1 : 0;
            }
        }
        return count;
    }

    // Leftmost and rightmost lit columns in the rows [top, bottom).
    std::pair<int, int> inkSpan(int top, int bottom) const {
        int left = 600, right = -1;
        for (int y = top; y < bottom; ++y) {
            for (int x = 0; x < 600; ++x) {
                unsigned char r, g, b;
                al_unmap_rgb(al_get_pixel(target, x, y), &r, &g, &b);
                if (r + g + b > 300) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        return {left, right};
    }

    ALLEGRO_BITMAP* target = nullptr;
};

} // namespace

TEST_F(MenuTest, SelectedItemIsGreenAndTheOthersWhite) {
    Menu menu(FONT, 3, "Duskmarch");
    ASSERT_NE(menu.itemFont, nullptr);
    menu.addItem("Play", 300, 180);
    menu.addItem("Load", 300, 210);
    menu.addItem("Quit", 300, 240);
    menu.selected = 1;
    menu.draw();
    EXPECT_EQ(inkIn(Ink::Green, 175, 205), 0);
    EXPECT_GT(inkIn(Ink::White, 175, 205), 20);
    EXPECT_GT(inkIn(Ink::Green, 205, 235), 20);
    EXPECT_EQ(inkIn(Ink::White, 205, 235), 0);
    EXPECT_GT(inkIn(Ink::White, 235, 265), 20);
    EXPECT_EQ(inkIn(Ink::Green, 235, 265), 0);
}

TEST_F(MenuTest, TitleIsCentredBelowItsRow) {
    Menu menu(FONT, 3, "Duskmarch");
    menu.draw();
    // The title's top line is at y = 400 / (3 + 4) = 57.
    EXPECT_EQ(inkIn(Ink::White, 0, 57), 0);
    EXPECT_GT(inkIn(Ink::White, 57, 110), 200);
    const auto [left, right] = inkSpan(57, 110);
    EXPECT_NEAR((left + right) / 2.0, 300.0, 4.0);
    EXPECT_EQ(inkIn(Ink::White, 110, 400), 0) << "no items: only the title is drawn";
}

TEST_F(MenuTest, ItemsBeyondTheSlotsAreRefused) {
    Menu menu(FONT, 2, "T");
    EXPECT_TRUE(menu.addItem("a", 300, 180));
    EXPECT_TRUE(menu.addItem("b", 300, 210));
    EXPECT_FALSE(menu.addItem("c", 300, 240));
    EXPECT_EQ(menu.count, 2);
}

TEST_F(MenuTest, MissingFontDrawsNothingAndDoesNotCrash) {
    Menu menu("no/such/font.ttf", 3, "Duskmarch");
    menu.addItem("Play", 300, 180);
    EXPECT_EQ(menu.itemFont, nullptr);
    menu.draw();
    EXPECT_EQ(inkIn(Ink::White, 0, 400), 0);
}
