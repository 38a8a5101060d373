// The map: the cells the view shows, against every ray of the wall pass walked the plain
// way; the map's cells drawn, against a plain per-pixel drawing, byte for byte; and the
// map's keys, marks and look.
#include "TestSupport.h"
#include "core/EventSystem.h"
#include "reference/PlainMap.h"
#include "render/BitmapLock.h"
#include "render/Camera.h"
#include "screens/MapScreen.h"
#include "world/LevelFile.h"
#include "world/MapGrid.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <random>

namespace {

#ifdef DUSKMARCH_SANITIZED_BUILD
const int ROUNDS = 60;
#else
const int ROUNDS = 300;
#endif
const double PI = 3.14159265358979323846;

class MapTest : public ::testing::Test {
  protected:
    void SetUp() override {
        startAllegroForTests();
        grid = MapGrid::allocate();
        camera.init(400, 600, grid);
    }
    void TearDown() override { MapGrid::release(grid); }

    void makeRandomLevel() {
        const double density = std::uniform_real_distribution<double>(0.0, 0.5)(random);
        const bool openEdges = random() % 4 == 0;
        for (int x = 0; x < MAP_SIZE; ++x) {
            for (int y = 0; y < MAP_SIZE; ++y) {
                const bool edge = x == 0 || y == 0 || x == MAP_SIZE - 1 || y == MAP_SIZE - 1;
                const bool wall = edge ? !openEdges : uniform() < density;
                grid[x][y] = wall ? 1 + static_cast<int>(random() % 9) : 0;
            }
        }
    }

    double uniform() { return std::uniform_real_distribution<double>(0.0, 1.0)(random); }

    // Somewhere open, looking any way: now and then along an axis, or from a cell's middle.
    void placeCamera() {
        int x, y;
        do {
            x = static_cast<int>(random() % MAP_SIZE);
            y = static_cast<int>(random() % MAP_SIZE);
        } while (grid[x][y] != 0);
        const bool middle = random() % 4 == 0;
        camera.posX = x + (middle ? 0.5 : 0.001 + 0.998 * uniform());
        camera.posY = y + (middle ? 0.5 : 0.001 + 0.998 * uniform());
        const double angle = random() % 4 == 0 ? (random() % 4) * PI / 2 : uniform() * 2 * PI;
        camera.dirX = std::cos(angle);
        camera.dirY = std::sin(angle);
        if (random() % 4 == 0) {
            camera.dirX = std::round(camera.dirX);
            camera.dirY = camera.dirX != 0.0 ? 0.0 : std::round(camera.dirY);
        }
        camera.planeX = camera.dirY * 0.66; // right of the view, as the game's plane lies
        camera.planeY = -camera.dirX * 0.66;
    }

    static std::set<std::pair<int, int>> cellsOf(const SeenCells& seen) {
        std::set<std::pair<int, int>> cells;
        for (int x = 0; x < MAP_SIZE; ++x) {
            for (int y = 0; y < MAP_SIZE; ++y) {
                if (seen.seen(x, y)) {
                    cells.insert({x, y});
                }
            }
        }
        return cells;
    }

    std::mt19937 random{28};
    int** grid = nullptr;
    EventSystem events;
    Camera camera{&events};
};

TEST_F(MapTest, TheCellsSeenAreThoseEveryRayOfTheViewCrosses) {
    for (int round = 0; round < ROUNDS * 3; ++round) {
        if (round == 0) {
            std::ifstream file(DUSKMARCH_LEVEL_FILE);
            LevelFile::read(file, grid);
        } else if (round % 10 == 1) {
            makeRandomLevel();
        }
        placeCamera();
        SeenCells seen;
        camera.markSeen(seen);
        ASSERT_EQ(cellsOf(seen), PlainMap::seenCells(camera))
            << "round " << round << " at " << camera.posX << ", " << camera.posY << " looking "
            << camera.dirX << ", " << camera.dirY;
        for (const auto& [x, y] : cellsOf(seen)) {
            ASSERT_TRUE(seen.seenNow(x, y));
        }
    }
}

TEST_F(MapTest, WhatWasSeenStaysSeenButNotSeenNow) {
    makeRandomLevel();
    placeCamera();
    SeenCells seen;
    camera.markSeen(seen);
    const auto before = cellsOf(seen);
    camera.dirX = -camera.dirX;
    camera.dirY = -camera.dirY;
    camera.markSeen(seen);
    const auto after = PlainMap::seenCells(camera);
    for (const auto& [x, y] : before) {
        EXPECT_TRUE(seen.seen(x, y));
        EXPECT_EQ(seen.seenNow(x, y), after.count({x, y}) == 1) << x << " " << y;
    }
}

// Pixels as stored, row by row.
std::vector<uint32_t> pixelsOf(ALLEGRO_BITMAP* bitmap) {
    const int width = al_get_bitmap_width(bitmap), height = al_get_bitmap_height(bitmap);
    std::vector<uint32_t> pixels(static_cast<std::size_t>(width) * height);
    const ALLEGRO_LOCKED_REGION* region =
        al_lock_bitmap(bitmap, ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READONLY);
    for (int y = 0; y < height; ++y) {
        std::memcpy(&pixels[static_cast<std::size_t>(y) * width],
                    static_cast<const char*>(region->data) + y * region->pitch, width * 4);
    }
    al_unlock_bitmap(bitmap);
    return pixels;
}

TEST_F(MapTest, TheMapsCellsAreThePlainDrawingsByteForByte) {
    const MapView::Palette palette = MapView::paletteOf(nullptr);
    for (int round = 0; round < ROUNDS / 6; ++round) {
        makeRandomLevel();
        SeenCells seen;
        const double share = uniform();
        for (int x = 0; x < MAP_SIZE; ++x) {
            for (int y = 0; y < MAP_SIZE; ++y) {
                if (uniform() < share) {
                    seen.see(x, y);
                }
            }
        }
        MapView::Look look;
        look.centreX = -2.0 + 34.0 * uniform();
        look.centreY = -2.0 + 34.0 * uniform();
        look.cellPixels = MapScreen::ZOOMS[random() % MapScreen::ZOOM_COUNT];
        const double angle = random() % 3 == 0 ? PI : uniform() * 2 * PI;
        look.upX = std::cos(angle);
        look.upY = std::sin(angle);
        look.grid = random() % 4 != 0;
        look.overlay = random() % 3 == 0;
        // The same view under both, where the map is drawn over one.
        const auto view = [&](int x, int y) {
            return al_map_rgb((x * 7 + y) % 256, (x ^ y) % 256, (y * 3) % 256);
        };
        ALLEGRO_BITMAP* fast = makeBitmap(600, 400, view);
        ALLEGRO_BITMAP* plain = makeBitmap(600, 400, view);
        {
            asTarget(fast);
            const BitmapLock lock(fast, ALLEGRO_LOCK_READWRITE);
            MapView::drawCells(lock.image(), grid, seen, look, palette);
        }
        {
            asTarget(plain);
            al_lock_bitmap(plain, ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READWRITE);
            PlainMap::drawCells(grid, seen, look, palette);
            al_unlock_bitmap(plain);
        }
        ASSERT_EQ(pixelsOf(fast), pixelsOf(plain))
            << "round " << round << ": centre " << look.centreX << ", " << look.centreY << ", "
            << look.cellPixels << " pixels a cell, up " << look.upX << ", " << look.upY
            << (look.grid ? ", grid" : "") << (look.overlay ? ", over the view" : "");
        al_destroy_bitmap(fast);
        al_destroy_bitmap(plain);
    }
}

// Tab opens and closes the map; marks are put and cleared only while it is open, ten at
// most; zoom stops at its ends; a freely panned map goes where the arrows take it.
TEST_F(MapTest, TheMapsKeysOpenMarkZoomAndPan) {
    MapScreen map{Screen::Fonts()};
    const MapScreen::Player player{22.5, 22.5, -1.0, 0.0};
    PlayerCommand command;
    command.mark = true;
    map.take(command, player);
    EXPECT_TRUE(map.seen.marks().empty()) << "no mark while the map is closed";
    EXPECT_FALSE(map.seen.kept);
    command.map = true;
    command.mark = false;
    map.take(command, player);
    EXPECT_TRUE(map.open && map.seen.kept);
    command.map = false;
    command.mark = true;
    for (int i = 0; i < 12; ++i) {
        map.take(command, {22.5 - i, 22.5, -1.0, 0.0});
    }
    ASSERT_EQ(map.seen.marks().size(), 10u);
    EXPECT_EQ(map.seen.marks()[9].cellX(), 13);
    // A second M in a marked cell takes its mark away, whatever point of the cell: never
    // two marks, their numbers on top of each other, in one cell.
    map.take(command, {22.1, 22.9, -1.0, 0.0});
    ASSERT_EQ(map.seen.marks().size(), 9u);
    EXPECT_EQ(map.seen.marks()[0].cellX(), 21);
    map.take(command, {22.1, 22.9, -1.0, 0.0});
    EXPECT_EQ(map.seen.marks().back().cellX(), 22);
    EXPECT_EQ(map.seen.marks().size(), 10u);
    SeenCells edges;
    EXPECT_TRUE(edges.addMark(0.0, 0.0));
    EXPECT_FALSE(edges.addMark(-0.5, 3.0)) << "left of the grid, though it truncates to 0";
    EXPECT_FALSE(edges.addMark(3.0, -0.5));
    EXPECT_FALSE(edges.addMark(3.0, 30.0));
    MapCommand look;
    look.zoom = 3;
    for (int i = 0; i < 5; ++i) {
        map.look(look, player);
    }
    EXPECT_EQ(map.zoom, MapScreen::ZOOM_COUNT - 1);
    look = MapCommand();
    look.follow = true;
    map.look(look, player);
    EXPECT_FALSE(map.follow);
    look = MapCommand();
    look.panRight = static_cast<int32_t>(MapScreen::ZOOMS[map.zoom] * 2); // two cells right
    map.look(look, player);
    // North up: right on the picture is +y in the world.
    EXPECT_NEAR(map.lookFor(player).centreY, 24.5, 1e-9);
    EXPECT_NEAR(map.lookFor(player).centreX, 22.5, 1e-9);
    command.clearMarks = true;
    map.take(command, player);
    EXPECT_TRUE(map.seen.marks().empty());
}

} // namespace
