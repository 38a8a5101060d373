// The billboard pass, checked pixel by pixel. The unit's picture tells its texel in each
// pixel: red is 4 * its column, green 4 * its row. The background is plain grey, and the
// wall depths are set by hand so that only the pass under test draws.
#include "TestSupport.h"
#include "core/EventSystem.h"
#include "render/Camera.h"
#include "units/Unit.h"
#include "world/MapGrid.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

const int WIDTH = 600;
const int HEIGHT = 400;
const Rgba8 BACKGROUND{90, 90, 90, 255};

class CameraSpritesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        startAllegroForTests();
        grid = MapGrid::allocate();
        // The picture sits in the right half of its image, as sprites of a sheet do.
        sheet = makeBitmap(128, 64, [this](int x, int y) {
            if (x < 64) {
                return al_map_rgb(255, 255, 0);
            }
            const bool clear = transparentLeftHalf && x - 64 < 32;
            return al_map_rgba((x - 64) * 4, y * 4, 255, clear ? 0 : 255);
        });
        buffer = new ImageBuffer(sheet);
        sprite = new Sprite(buffer, 64, 0, 64, 64);
        target = makeBitmap(WIDTH, HEIGHT, [](int, int) {
            return al_map_rgb(BACKGROUND.r, BACKGROUND.g, BACKGROUND.b);
        });
        camera = new Camera(&events);
        camera->init(HEIGHT, WIDTH, grid);
        camera->posX = 12.5;
        camera->posY = 12.5;
        setWallDepths(0, 200, 100.0);
    }

    void TearDown() override {
        delete unit;
        delete camera;
        delete sprite;
        delete buffer;
        al_destroy_bitmap(sheet);
        al_destroy_bitmap(target);
        MapGrid::release(grid);
    }

    void setWallDepths(int firstColumn, int endColumn, double depth) {
        for (int column = firstColumn; column < endColumn; ++column) {
            camera->depthBuffer[column] = depth;
        }
    }

    // A unit showing the test picture (as its hurt picture) at the given offset from
    // the camera, which looks along -x with the plane along +y.
    void drawUnitAt(double ahead, double right) {
        unit = new Unit(&events, nullptr, camera->posX - ahead, camera->posY + right);
        unit->hurt = true;
        unit->hurtSprite = sprite;
        const BitmapLock frame(asTarget(target), ALLEGRO_LOCK_READWRITE);
        camera->drawSprite(unit, frame.image());
    }

    bool isBackground(int x, int y) { return rgbaAt(target, x, y) == BACKGROUND; }

    EventSystem events;
    int** grid = nullptr;
    bool transparentLeftHalf = false;
    ALLEGRO_BITMAP* sheet = nullptr;
    ALLEGRO_BITMAP* target = nullptr;
    ImageBuffer* buffer = nullptr;
    Sprite* sprite = nullptr;
    Camera* camera = nullptr;
    Unit* unit = nullptr;
};

TEST_F(CameraSpritesTest, AUnitTwoCellsAheadCoversTheMiddleTwoHundredPixels) {
    drawUnitAt(2.0, 0.0);
    const double divisor = std::pow(1.35, 3.0);
    // The first stripe starts at column 200 with texel (0, 0) ...
    EXPECT_NEAR(rgbaAt(target, 200, 100).r, 0, 1);
    EXPECT_NEAR(rgbaAt(target, 200, 100).b, 255 / divisor, 1);
    // ... the last at 398, a 3 by 3 block ending on column 400 and row 300, texel (63, 63).
    const Rgba8 last = rgbaAt(target, 400, 300);
    EXPECT_NEAR(last.r, 252 / divisor, 1);
    EXPECT_NEAR(last.g, 252 / divisor, 1);
    // Column 299 lies in stripe 299, 99 pixels into the picture: texel 31.
    EXPECT_NEAR(rgbaAt(target, 299, 200).r, 31 * 4 / divisor, 1);
    // The yellow half of the sheet, which has no blue, is never read.
    EXPECT_NEAR(rgbaAt(target, 300, 200).b, 255 / divisor, 1);
    // Nothing outside the square.
    EXPECT_TRUE(isBackground(199, 200));
    EXPECT_TRUE(isBackground(401, 200));
    EXPECT_TRUE(isBackground(300, 99));
    EXPECT_TRUE(isBackground(300, 301));
}

class TransparentPictureTest : public CameraSpritesTest {
  protected:
    TransparentPictureTest() { transparentLeftHalf = true; }
};

TEST_F(TransparentPictureTest, TransparentTexelsLetTheViewShowThrough) {
    drawUnitAt(2.0, 0.0);
    EXPECT_TRUE(isBackground(250, 200));
    EXPECT_FALSE(isBackground(350, 200));
}

TEST_F(CameraSpritesTest, AStripeIsHiddenWholeByTheWallAtItsFirstPixel) {
    setWallDepths(0, 100, 1.0); // a wall nearer than the unit in columns 0 to 299
    drawUnitAt(2.0, 0.0);
    // Stripe 299 starts behind the wall, so its pixels 300 and 301 are hidden too.
    EXPECT_TRUE(isBackground(298, 200));
    EXPECT_TRUE(isBackground(301, 200));
    EXPECT_FALSE(isBackground(302, 200));
}

TEST_F(CameraSpritesTest, AWallAtTheUnitsOwnDepthHidesIt) {
    setWallDepths(0, 200, 2.0);
    drawUnitAt(2.0, 0.0);
    EXPECT_TRUE(isBackground(300, 200));
}

TEST_F(CameraSpritesTest, AUnitBehindTheViewerOrAsideLeavesNoPixel) {
    drawUnitAt(-2.0, 0.0);
    for (int x = 0; x < WIDTH; x += 7) {
        ASSERT_TRUE(isBackground(x, 200)) << x;
    }
    delete unit;
    drawUnitAt(0.0, 1.0); // on the camera plane
    EXPECT_TRUE(isBackground(300, 200));
}

TEST_F(CameraSpritesTest, ScreenColumnZeroNeverReceivesBillboardPixels) {
    drawUnitAt(2.0, -1.32); // centred on the left edge
    EXPECT_TRUE(isBackground(0, 200));
    EXPECT_FALSE(isBackground(1, 200));
}

TEST_F(CameraSpritesTest, AHiddenUnitIsNotDrawn) {
    unit = new Unit(&events, nullptr, 10.5, 12.5);
    unit->hurt = true;
    unit->hurtSprite = sprite;
    unit->alive = false;
    {
        const BitmapLock frame(asTarget(target), ALLEGRO_LOCK_READWRITE);
        camera->drawSprite(unit, frame.image());
    }
    EXPECT_TRUE(isBackground(300, 200));
}

TEST_F(CameraSpritesTest, AUnitOnTheCameraDrawsNothingAndReadsNothingAmiss) {
    drawUnitAt(1e-12, 0.0); // so near that its size overflows
    EXPECT_TRUE(isBackground(300, 200));
}

} // namespace
