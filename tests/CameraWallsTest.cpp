// The wall pass, checked pixel by pixel in memory bitmaps. The texture strip is made so
// that every texel tells where it came from: red is 4 * its column in the tile, green
// 4 * its row, blue 20 * the tile's number.
#include "TestSupport.h"
#include "core/EventSystem.h"
#include "render/Camera.h"
#include "world/MapGrid.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

const int WIDTH = 600;
const int HEIGHT = 400;
const int MIDDLE = 300;

// What a channel value becomes once divided by the given shading divisors.
double shaded(int value, double divisor) {
    return value / divisor;
}

class CameraWallsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        startAllegroForTests();
        grid = MapGrid::allocate();
        strip = makeBitmap(12 * 64, 64, [](int x, int y) {
            return al_map_rgb((x % 64) * 4, y * 4, (x / 64) * 20);
        });
        texture = new ImageBuffer(strip);
        target = makeBitmap(WIDTH, HEIGHT, [](int, int) { return al_map_rgb(255, 0, 255); });
        camera = new Camera(&events);
        camera->init(HEIGHT, WIDTH, grid);
    }

    void TearDown() override {
        delete camera;
        delete texture;
        al_destroy_bitmap(strip);
        al_destroy_bitmap(target);
        MapGrid::release(grid);
    }

    void place(double x, double y, double dirX, double dirY) {
        camera->posX = x;
        camera->posY = y;
        camera->dirX = dirX;
        camera->dirY = dirY;
        // The plane is the direction turned a quarter to the right, 0.66 long.
        camera->planeX = -dirY * 0.66;
        camera->planeY = dirX * 0.66;
    }

    void drawWalls() {
        const BitmapLock frame(asTarget(target), ALLEGRO_LOCK_READWRITE);
        camera->drawWalls(texture, frame.image());
    }

    EventSystem events;
    int** grid = nullptr;
    ALLEGRO_BITMAP* strip = nullptr;
    ALLEGRO_BITMAP* target = nullptr;
    ImageBuffer* texture = nullptr;
    Camera* camera = nullptr;
};

TEST_F(CameraWallsTest, InitSizesRayColumnsAndRowsForTheWindow) {
    EXPECT_EQ(camera->columnWidth, 3);
    EXPECT_EQ(camera->rowHeight, 2);
    Camera small(&events);
    small.init(150, 190, grid);
    EXPECT_EQ(small.columnWidth, 1);
    EXPECT_EQ(small.rowHeight, 1);
}

TEST_F(CameraWallsTest, MiddleColumnFacingAWallHalfACellAwayFillsTheHeight) {
    grid[0][1] = 1; // tile 3
    place(1.5, 1.5, -1.0, 0.0);
    drawWalls();

    EXPECT_DOUBLE_EQ(camera->depthBuffer[100], 0.5);
    const double divisor = std::pow(1.35, 0.5);
    // The ray strikes the middle of the face (texture column 32); row 200 is texture row 32.
    for (int x = MIDDLE; x < MIDDLE + 3; ++x) {
        const Rgba8 middle = rgbaAt(target, x, 200);
        EXPECT_NEAR(middle.r, shaded(128, divisor), 1);
        EXPECT_NEAR(middle.g, shaded(128, divisor), 1);
        EXPECT_NEAR(middle.b, shaded(60, divisor), 1);
    }
    // Row 2 is texture row 16; the slice reaches the bottom row.
    EXPECT_NEAR(rgbaAt(target, MIDDLE, 2).g, shaded(64, divisor), 1);
    EXPECT_NEAR(rgbaAt(target, MIDDLE, 399).b, shaded(60, divisor), 1);
    // The floor loop's one row past the bottom puts ceiling over the top two rows.
    for (int y = 0; y < 2; ++y) {
        EXPECT_NEAR(rgbaAt(target, MIDDLE, y).b, shaded(40, 1.35), 1) << "row " << y;
    }
}

TEST_F(CameraWallsTest, RayAlongAnAxisNeverStepsAcrossItAndIsShadedAsAYSide) {
    grid[1][0] = 1;
    place(1.5, 1.5, 0.0, -1.0); // the middle ray's x component is exactly 0
    drawWalls();

    EXPECT_DOUBLE_EQ(camera->depthBuffer[100], 0.5);
    const double divisor = 1.25 * std::pow(1.35, 0.5);
    const Rgba8 middle = rgbaAt(target, MIDDLE, 200);
    EXPECT_NEAR(middle.b, shaded(60, divisor), 1);
    // Seen from its low-y side the face is mirrored: column 32 reads as 31.
    EXPECT_NEAR(middle.r, shaded(124, divisor), 1);
}

TEST_F(CameraWallsTest, ATieBetweenTheAxesStepsInY) {
    grid[0][1] = 2; // reached by a step in x: tile 4
    grid[1][0] = 3; // reached by a step in y: tile 5
    const double s = std::sqrt(0.5);
    place(1.5, 1.5, -s, -s);
    drawWalls();

    const double distance = 0.5 / s;
    EXPECT_NEAR(camera->depthBuffer[100], distance, 1e-12);
    EXPECT_NEAR(rgbaAt(target, MIDDLE, 200).b, shaded(100, 1.25 * std::pow(1.35, distance)), 1);
}

TEST_F(CameraWallsTest, DistanceShadingGrowsToTwentyCellsThenStaysAtTwenty) {
    EXPECT_DOUBLE_EQ(camera->shadeDivisor(0.0), 1.0);
    EXPECT_DOUBLE_EQ(camera->shadeDivisor(1.0), 1.35);
    EXPECT_NEAR(camera->shadeDivisor(20.0), 404.27, 0.01);
    EXPECT_DOUBLE_EQ(camera->shadeDivisor(20.000001), 20.0);
}

TEST_F(CameraWallsTest, DarkeningKeepsAlpha) {
    const ALLEGRO_COLOR dark = Camera::darken(al_map_rgba_f(0.5f, 0.25f, 1.0f, 0.75f), 2.0);
    EXPECT_FLOAT_EQ(dark.r, 0.25f);
    EXPECT_FLOAT_EQ(dark.g, 0.125f);
    EXPECT_FLOAT_EQ(dark.b, 0.5f);
    EXPECT_FLOAT_EQ(dark.a, 0.75f);
}

TEST_F(CameraWallsTest, TheTextureIsMirroredOnFacesSeenFromTheirFarSide) {
    grid[5][5] = 1;
    const double divisor = std::pow(1.35, 1.5);

    place(7.5, 5.25, -1.0, 0.0); // looking at the face x = 6, a quarter along it
    drawWalls();
    EXPECT_DOUBLE_EQ(camera->depthBuffer[100], 1.5);
    EXPECT_NEAR(rgbaAt(target, MIDDLE, 200).r, shaded(16 * 4, divisor), 1);

    place(3.5, 5.25, 1.0, 0.0); // the face x = 5, from the other side
    drawWalls();
    EXPECT_DOUBLE_EQ(camera->depthBuffer[100], 1.5);
    EXPECT_NEAR(rgbaAt(target, MIDDLE, 200).r, shaded(47 * 4, divisor), 1);
}

TEST_F(CameraWallsTest, FloorAndCeilingAreShadedByTheirOwnDistance) {
    grid[0][1] = 1;
    place(2.5, 1.5, -1.0, 0.0); // the wall 1.5 away leaves rows for floor and ceiling
    drawWalls();
    // Rows 398 and 399 are one block, computed for row 398 at 400 / (2 * 398 - 400)
    // cells; its ceiling twin is rows 2 and 3.
    const double distance = 400.0 / (2.0 * 398 - 400);
    const Rgba8 floor = rgbaAt(target, MIDDLE, 399);
    const Rgba8 ceiling = rgbaAt(target, MIDDLE, 3);
    EXPECT_EQ(floor.b, 0);                                           // tile 0
    EXPECT_NEAR(ceiling.b, shaded(40, std::pow(1.35, distance)), 1); // tile 2
}

TEST_F(CameraWallsTest, ARayThatLeavesTheGridEndsWithoutAWall) {
    place(1.5, 1.5, -1.0, 0.0); // nothing but open floor between the camera and the edge
    drawWalls();
    EXPECT_DOUBLE_EQ(camera->depthBuffer[100], 1.5);
    EXPECT_EQ(rgbaAt(target, MIDDLE, 200), (Rgba8{0, 0, 0, 255}));
    // The floor is still drawn below the black slice.
    EXPECT_GT(rgbaAt(target, MIDDLE, 399).g, 0);
}

TEST_F(CameraWallsTest, ACameraOutsideTheGridReadsNoCellOutsideIt) {
    place(-3.0, 40.0, 0.6, -0.8);
    drawWalls();
    for (int column = 0; column < 200; ++column) {
        EXPECT_FALSE(std::isnan(camera->depthBuffer[column])) << column;
    }
}

TEST_F(CameraWallsTest, AWallTouchingTheViewpointFillsTheView) {
    grid[0][1] = 1;
    place(1.0, 1.5, -1.0, 0.0); // on the wall's own grid line: every ray meets it at 0
    drawWalls();
    EXPECT_DOUBLE_EQ(camera->depthBuffer[100], 0.0);
    for (int x : {0, 150, 300, 597}) {
        for (int y : {2, 200, 399}) {
            EXPECT_EQ(rgbaAt(target, x, y).b, 60) << x << ", " << y; // all wall, unshaded
        }
    }
}

TEST_F(CameraWallsTest, WithoutATextureTheDepthsAreStillMeasured) {
    grid[0][1] = 1;
    place(1.5, 1.5, -1.0, 0.0);
    const BitmapLock frame(asTarget(target), ALLEGRO_LOCK_READWRITE);
    camera->drawWalls(nullptr, frame.image());
    EXPECT_DOUBLE_EQ(camera->depthBuffer[100], 0.5);
}

TEST_F(CameraWallsTest, ThePassClearsMovedAndRunning) {
    camera->moved = true;
    camera->running = true;
    place(1.5, 1.5, -1.0, 0.0);
    drawWalls();
    EXPECT_FALSE(camera->moved);
    EXPECT_FALSE(camera->running);
}

} // namespace
