// The game's wall and billboard passes against the plain per-pixel passes they replaced,
// byte for byte, on thousands of random scenes: the shipped level and random grids, the
// real textures and skulls, viewpoints anywhere open, on grid lines and against walls,
// every direction, up to a hundred units at every depth, and several window sizes.
#include "TestSupport.h"
#include "core/EventSystem.h"
#ifndef DUSKMARCH_THREAD_CHECK
#include "game/PlayView.h"
#endif
#include "reference/PlainCameraPasses.h"
#include "render/Camera.h"
#include "units/Unit.h"
#include "world/LevelFile.h"
#include "world/MapGrid.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

// The sanitized builds run some ten times slower: the address check looks at a sixth of
// the scenes, the thread check at a tenth (some two hundred), each in under a minute.
#if defined(DUSKMARCH_THREAD_CHECK)
const int SCENE_SHARE = 10;
#elif defined(DUSKMARCH_SANITIZED_BUILD)
const int SCENE_SHARE = 6;
#else
const int SCENE_SHARE = 1;
#endif

const double SIGHT_RANGE = 4.7;
const double CLOSE_UP_RANGE = 0.5;
const double PI = 3.14159265358979323846;

struct ViewSize {
    int width, height;
};

// Pixels as stored, row by row, whatever the bitmap's pitch.
std::vector<uint32_t> pixelsOf(ALLEGRO_BITMAP* bitmap) {
    const int width = al_get_bitmap_width(bitmap);
    const int height = al_get_bitmap_height(bitmap);
    std::vector<uint32_t> pixels(static_cast<std::size_t>(width) * height);
    const ALLEGRO_LOCKED_REGION* region =
        al_lock_bitmap(bitmap, al_get_bitmap_format(bitmap), ALLEGRO_LOCK_READONLY);
    for (int y = 0; y < height; ++y) {
        std::memcpy(&pixels[static_cast<std::size_t>(y) * width],
                    static_cast<const char*>(region->data) + y * region->pitch, width * 4);
    }
    al_unlock_bitmap(bitmap);
    return pixels;
}

class RenderingComparisonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        startAllegroForTests();
        grid = MapGrid::allocate();
        strip = new ImageBuffer((std::string(DUSKMARCH_ASSET_DIR) + "/map.png").c_str());
        skulls = new ImageBuffer((std::string(DUSKMARCH_ASSET_DIR) + "/skull.png").c_str());
        ASSERT_NE(strip->bitmap, nullptr);
        ASSERT_NE(skulls->bitmap, nullptr);
        for (int frame = 0; frame < 5; ++frame) {
            pictures.push_back(new Sprite(skulls, frame * 64, 0, 64, 64));
        }
    }

    void TearDown() override {
        clearUnits();
        for (Sprite* picture : pictures) {
            delete picture;
        }
        al_destroy_bitmap(strip->bitmap);
        al_destroy_bitmap(skulls->bitmap);
        delete strip;
        delete skulls;
        MapGrid::release(grid);
    }

    void clearUnits() {
        for (Unit* unit : units) {
            delete unit;
        }
        units.clear();
    }

    void loadShippedLevel() {
        std::ifstream file(DUSKMARCH_LEVEL_FILE);
        LevelFile::read(file, grid);
    }

    // Walls round the edge (now and then with gaps, so rays can leave the grid) and
    // walls of every texture scattered inside.
    void makeRandomLevel() {
        std::uniform_real_distribution<double> fraction(0.0, 0.45);
        std::uniform_int_distribution<int> wallValue(1, 9);
        const double density = fraction(random);
        const bool openEdges = random() % 5 == 0;
        for (int x = 0; x < MAP_SIZE; ++x) {
            for (int y = 0; y < MAP_SIZE; ++y) {
                const bool edge = x == 0 || y == 0 || x == MAP_SIZE - 1 || y == MAP_SIZE - 1;
                const bool wall = edge ? !openEdges || random() % 2 == 0
                                       : std::uniform_real_distribution<double>()(random) < density;
                grid[x][y] = wall ? wallValue(random) : 0;
            }
        }
    }

    double coordinate(int cell) {
        switch (random() % 6) {
        case 0:
            return cell; // on a grid line
        case 1:
            return cell + 0.5;
        case 2:
            return cell + 0.001; // against the wall of the cell before
        case 3:
            return cell + 0.999;
        default:
            return cell + std::uniform_real_distribution<double>(0.0, 1.0)(random);
        }
    }

    void placeCamera(Camera& camera) {
        int x, y;
        do {
            x = 1 + static_cast<int>(random() % (MAP_SIZE - 2));
            y = 1 + static_cast<int>(random() % (MAP_SIZE - 2));
        } while (grid[x][y] != 0);
        camera.posX = coordinate(x);
        camera.posY = coordinate(y);
        // Along an axis a quarter of the time, so rays run exactly parallel to grid lines.
        const double angle = random() % 4 == 0
                                 ? (random() % 4) * PI / 2
                                 : std::uniform_real_distribution<double>(-PI, PI)(random);
        camera.dirX = random() % 4 == 0 ? std::round(std::cos(angle)) : std::cos(angle);
        camera.dirY = random() % 4 == 0 ? std::round(std::sin(angle)) : std::sin(angle);
        if (camera.dirX == 0.0 && camera.dirY == 0.0) {
            camera.dirX = -1.0;
        }
        camera.planeX = -camera.dirY * 0.66;
        camera.planeY = camera.dirX * 0.66;
    }

    // Units anywhere around the camera: on it, closer than half a cell, at the edges of
    // the view, behind it, behind walls, beyond sight; some showing the hurt picture.
    void placeUnits(const Camera& camera, int count) {
        std::uniform_real_distribution<double> distance(0.0, 5.5);
        std::uniform_real_distribution<double> turn(-PI, PI);
        for (int i = 0; i < count; ++i) {
            const double reach = random() % 10 == 0 ? distance(random) / 10 : distance(random);
            const double angle = turn(random);
            const double x = camera.posX + reach * std::cos(angle);
            const double y = camera.posY + reach * std::sin(angle);
            Unit* unit = new Unit(&events, nullptr, x, y);
            unit->hurt = true; // every picture of the sheet, shown through hurtSprite
            unit->hurtSprite = pictures[random() % pictures.size()];
            units.push_back(unit);
        }
    }

    // As the game orders them: farthest first, the ones out of sight hidden. Returns the
    // unit drawn alone, the nearest in front when it stands within half a cell, or null.
    Unit* orderUnits(const Camera& camera) {
        std::vector<std::pair<double, Unit*>> byDistance;
        for (Unit* unit : units) {
            const double distance = camera.distanceTo(unit->x, unit->y);
            unit->alive = distance <= SIGHT_RANGE;
            byDistance.emplace_back(distance, unit);
        }
        std::stable_sort(byDistance.begin(), byDistance.end(),
                         [](const auto& a, const auto& b) { return a.first > b.first; });
        for (std::size_t i = 0; i < units.size(); ++i) {
            units[i] = byDistance[i].second;
        }
        for (auto unit = units.rbegin(); unit != units.rend(); ++unit) {
            if (camera.depthOf((*unit)->x, (*unit)->y) > 0.0) {
                return camera.distanceTo((*unit)->x, (*unit)->y) <= CLOSE_UP_RANGE ? *unit
                                                                                   : nullptr;
            }
        }
        return nullptr;
    }

    // The units the plain way into the locked target: the close-up one alone, unless it
    // put no pixel there; then every one, farthest first.
    void drawUnitsPlainly(const Camera& camera, ALLEGRO_BITMAP* target, Unit* closeUp) {
        if (closeUp != nullptr) {
            const std::vector<uint32_t> before = lockedPixels(target);
            PlainCameraPasses::drawSprite(camera, closeUp);
            if (lockedPixels(target) != before) {
                return;
            }
        }
        for (Unit* unit : units) {
            PlainCameraPasses::drawSprite(camera, unit);
        }
    }

    // The pixels of a bitmap that is locked already.
    static std::vector<uint32_t> lockedPixels(ALLEGRO_BITMAP* bitmap) {
        std::vector<uint32_t> pixels;
        for (int y = 0; y < al_get_bitmap_height(bitmap); ++y) {
            for (int x = 0; x < al_get_bitmap_width(bitmap); ++x) {
                const ALLEGRO_COLOR colour = al_get_pixel(bitmap, x, y);
                unsigned char r, g, b, a;
                al_unmap_rgba(colour, &r, &g, &b, &a);
                pixels.push_back(static_cast<uint32_t>(r) << 24 | g << 16 | b << 8 | a);
            }
        }
        return pixels;
    }

    int unitCount() {
        switch (random() % 4) {
        case 0:
            return 0;
        case 1:
            return static_cast<int>(random() % 101);
        default:
            return static_cast<int>(random() % 12);
        }
    }

    // Draws one scene both ways and compares every byte and depth. Returns the number of
    // pixels compared; fails the test at the first difference. Without `draw` it only
    // makes the scene, taking from the random sequence what drawing it would.
    long compareScene(int scene, const ViewSize& size, bool draw = true) {
        if (random() % 3 == 0) {
            loadShippedLevel();
        } else {
            makeRandomLevel();
        }
        Camera camera(&events);
        camera.init(size.height, size.width, grid);
        // All on this thread, or shared with one helper or three: the same pixels.
        camera.workers = pools[static_cast<std::size_t>(scene) % pools.size()];
        placeCamera(camera);
        clearUnits();
        placeUnits(camera, unitCount());
        Unit* closeUp = orderUnits(camera);
        const ALLEGRO_COLOR background = al_map_rgb(random() % 256, random() % 256, random() % 256);
        if (!draw) {
            return 0;
        }
        ALLEGRO_BITMAP* plain = makeFilledBitmap(size.width, size.height, background);
        ALLEGRO_BITMAP* fast = al_clone_bitmap(plain);
        const int columns = (size.width + camera.columnWidth - 1) / camera.columnWidth;

        {
            const BitmapLock frame(asTarget(plain), ALLEGRO_LOCK_READWRITE);
            PlainCameraPasses::drawWalls(camera, strip);
            drawUnitsPlainly(camera, plain, closeUp);
        }
        const std::vector<double> plainDepths(camera.depthBuffer, camera.depthBuffer + columns);
        std::fill(camera.depthBuffer, camera.depthBuffer + columns, -1.0);
        {
            const BitmapLock frame(asTarget(fast), ALLEGRO_LOCK_READWRITE);
            camera.drawWalls(strip, frame.image());
            if (closeUp == nullptr || !camera.drawSprite(closeUp, frame.image())) {
                camera.drawSprites(units, frame.image());
            }
        }

        const std::string where = "scene " + std::to_string(scene) + " at " +
                                  std::to_string(size.width) + "x" + std::to_string(size.height);
        for (int column = 0; column < columns; ++column) {
            EXPECT_EQ(
                std::memcmp(&plainDepths[column], &camera.depthBuffer[column], sizeof(double)), 0)
                << where << ", depth of column " << column;
        }
        const std::vector<uint32_t> expected = pixelsOf(plain);
        const std::vector<uint32_t> actual = pixelsOf(fast);
        const auto mismatch = std::mismatch(expected.begin(), expected.end(), actual.begin());
        if (mismatch.first != expected.end()) {
            const long index = mismatch.first - expected.begin();
            ADD_FAILURE() << where << ": pixel (" << index % size.width << ", "
                          << index / size.width << ") is " << std::hex << *mismatch.second
                          << ", the plain pass gives " << *mismatch.first;
        }
        al_destroy_bitmap(plain);
        al_destroy_bitmap(fast);
        return static_cast<long>(expected.size());
    }

    // A run of scenes, each size with its count, made one after another from one random
    // sequence. Part `part` of `parts` compares its share of the run's scenes; the scenes
    // before it are made without drawing, so every part sees the scenes the whole run
    // would.
    void compareScenes(const std::vector<std::pair<ViewSize, int>>& run, int part, int parts) {
        int total = 0;
        for (const auto& sizeAndCount : run) {
            total += sizeAndCount.second / SCENE_SHARE;
        }
        const int first = total * part / parts;
        const int last = total * (part + 1) / parts;
        int index = 0;
        long pixels = 0;
        for (const auto& [size, fullCount] : run) {
            const int count = fullCount / SCENE_SHARE;
            for (int scene = 0; scene < count && index < last && !HasFailure(); ++scene, ++index) {
                pixels += compareScene(scene, size, index >= first);
            }
        }
        std::cout << "scenes " << first << " to " << last - 1 << " of " << total << ", " << pixels
                  << " pixels compared" << std::endl;
    }

    std::mt19937 random{20261208};
    WorkerPool noHelper{0};
    WorkerPool oneHelper{1};
    WorkerPool threeHelpers{3};
    std::vector<WorkerPool*> pools = {nullptr, &oneHelper, &noHelper, &threeHelpers};
    EventSystem events;
    int** grid = nullptr;
    ImageBuffer* strip = nullptr;
    ImageBuffer* skulls = nullptr;
    std::vector<Sprite*> pictures;
    std::vector<Unit*> units;
};

// The comparisons are split into parts that CTest runs side by side; together they
// compare the same scenes as one run would.
const int PARTS = 4;

class RenderingComparisonPart : public RenderingComparisonTest,
                                public ::testing::WithParamInterface<int> {};

TEST_P(RenderingComparisonPart, TheGameWindowsSizeMatchesThePlainPasses) {
    compareScenes({{ViewSize{600, 400}, 1000}}, GetParam(), PARTS);
}

TEST_P(RenderingComparisonPart, OtherSizesMatchThePlainPasses) {
    compareScenes({{ViewSize{200, 150}, 300}, {ViewSize{640, 480}, 300}, {ViewSize{801, 601}, 300}},
                  GetParam(), PARTS);
}

INSTANTIATE_TEST_SUITE_P(Part, RenderingComparisonPart, ::testing::Range(0, PARTS));

#ifndef DUSKMARCH_THREAD_CHECK // the thread check's build has no game around the passes
// A skull beside the player at a tiny depth is the nearest in front and within half a
// cell, but shows only transparent texels (its billboard's middle lies far left of the
// screen): then the skulls are drawn as ever, and one straight ahead stays in view. The
// game's view against the plain passes, byte for byte.
TEST_F(RenderingComparisonTest, ASkullInPlainViewNeverVanishesBehindACloseUpThatShowsNothing) {
    makeRandomLevel();
    for (int x = 18; x < 24; ++x) {
        for (int y = 18; y < 24; ++y) {
            grid[x][y] = 0;
        }
    }
    Camera camera(&events);
    camera.init(400, 600, grid);
    camera.posX = 22.5;
    camera.posY = 22.5;
    const auto skullAt = [&](double x, double y) {
        Unit* unit = new Unit(&events, nullptr, x, y);
        unit->hurt = true;
        unit->hurtSprite = pictures[0];
        units.push_back(unit);
        return unit;
    };
    skullAt(22.5 - 0.62, 22.5); // straight ahead
    // At depth 0.07, to the left: far enough that the part of its picture on the screen is
    // all transparent, and still within half a cell.
    Unit* beside = skullAt(22.5 - 0.07, 22.5);
    const ALLEGRO_COLOR black = al_map_rgb(0, 0, 0);
    bool showsNothing = false;
    for (double left = 0.25; left < 0.49 && !showsNothing; left += 0.005) {
        beside->y = 22.5 - left;
        ALLEGRO_BITMAP* probe = makeFilledBitmap(600, 400, black);
        {
            const BitmapLock frame(asTarget(probe), ALLEGRO_LOCK_READWRITE);
            camera.drawWalls(strip, frame.image());
            beside->alive = true;
            showsNothing = !camera.drawSprite(beside, frame.image());
        }
        al_destroy_bitmap(probe);
    }
    ASSERT_TRUE(showsNothing) << "a place where the skull beside shows only transparent texels";
    ASSERT_LE(camera.distanceTo(beside->x, beside->y), 0.5);
    ASSERT_EQ(orderUnits(camera), beside) << "the close-up rule picks the one beside";
    ALLEGRO_BITMAP* plain = makeFilledBitmap(600, 400, black);
    ALLEGRO_BITMAP* walls = makeFilledBitmap(600, 400, black);
    ALLEGRO_BITMAP* fast = makeFilledBitmap(600, 400, black);
    {
        const BitmapLock frame(asTarget(walls), ALLEGRO_LOCK_READWRITE);
        PlainCameraPasses::drawWalls(camera, strip);
    }
    {
        const BitmapLock frame(asTarget(plain), ALLEGRO_LOCK_READWRITE);
        PlainCameraPasses::drawWalls(camera, strip);
        drawUnitsPlainly(camera, plain, beside);
    }
    {
        PlayView::Scene scene;
        scene.camera = &camera;
        scene.units = &units;
        PlayView view(scene);
        const BitmapLock frame(asTarget(fast), ALLEGRO_LOCK_READWRITE);
        camera.drawWalls(strip, frame.image());
        view.drawUnits(frame.image());
    }
    EXPECT_NE(pixelsOf(plain), pixelsOf(walls)) << "the skull ahead is drawn";
    EXPECT_EQ(pixelsOf(fast), pixelsOf(plain));
    al_destroy_bitmap(plain);
    al_destroy_bitmap(walls);
    al_destroy_bitmap(fast);
}

#endif

} // namespace
