// The pieces of the direct pixel path against the library calls and the plain arithmetic
// they stand in for: the locked image's reads and writes against al_get_pixel and
// al_put_pixel on random colours, in every format it reads directly and in one it hands
// to the library; the shade table against darkening; stepped quotients against division.
#include "TestSupport.h"
#include "render/Camera.h"
#include "render/CoverageMask.h"
#include "render/LockedImage.h"
#include "render/ShadeTable.h"
#include "render/SteppedQuotient.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

const int SIZE = 16;

uint32_t storedWord(const ALLEGRO_LOCKED_REGION* region, int x, int y) {
    uint32_t word = 0;
    const int size = region->pixel_size;
    std::memcpy(&word, static_cast<const char*>(region->data) + y * region->pitch + size * x, size);
    return word;
}

bool sameColour(const ALLEGRO_COLOR& a, const ALLEGRO_COLOR& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Mostly colours inside 0..1, where a channel's float lands anywhere between two bytes;
// now and then one outside, or not a number, which the library must be left to store.
ALLEGRO_COLOR randomColour(std::mt19937& random) {
    std::uniform_real_distribution<float> inside(0.0f, 1.0f);
    std::uniform_real_distribution<float> outside(-2.0f, 3.0f);
    auto channel = [&]() {
        switch (random() % 20) {
        case 0:
            return outside(random);
        case 1:
            return (random() % 256) / 255.0f; // exactly what a read gives
        default:
            return inside(random);
        }
    };
    return ALLEGRO_COLOR{channel(), channel(), channel(), channel()};
}

class LockedImageTest : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        startAllegroForTests();
        al_set_new_bitmap_format(GetParam());
        library = al_create_bitmap(SIZE, SIZE);
        direct = al_create_bitmap(SIZE, SIZE);
        al_set_new_bitmap_format(ALLEGRO_PIXEL_FORMAT_ANY_WITH_ALPHA);
        ASSERT_NE(library, nullptr);
        ASSERT_EQ(al_get_bitmap_format(library), GetParam());
    }
    void TearDown() override {
        al_destroy_bitmap(library);
        al_destroy_bitmap(direct);
    }

    ALLEGRO_BITMAP* library = nullptr;
    ALLEGRO_BITMAP* direct = nullptr;
};

TEST_P(LockedImageTest, StoresAndReadsExactlyWhatTheLibraryDoes) {
    std::mt19937 random(GetParam());
    ALLEGRO_LOCKED_REGION* expected = al_lock_bitmap(library, GetParam(), ALLEGRO_LOCK_READWRITE);
    for (int round = 0; round < 20000; ++round) {
        const ALLEGRO_COLOR colour = randomColour(random);
        const int x = static_cast<int>(random() % SIZE);
        const int y = static_cast<int>(random() % SIZE);
        al_set_target_bitmap(library);
        al_put_pixel(x, y, colour);
        {
            const BitmapLock target(asTarget(direct), ALLEGRO_LOCK_READWRITE);
            target.image().fill(x, y, 1, 1, colour);
        }
        const ALLEGRO_LOCKED_REGION* actual =
            al_lock_bitmap(direct, GetParam(), ALLEGRO_LOCK_READONLY);
        ASSERT_EQ(storedWord(actual, x, y), storedWord(expected, x, y))
            << "colour " << colour.r << " " << colour.g << " " << colour.b << " " << colour.a;
        const LockedImage image(direct, actual);
        ASSERT_TRUE(sameColour(image.read(x, y), al_get_pixel(direct, x, y)));
        al_unlock_bitmap(direct);
    }
    al_unlock_bitmap(library);
}

TEST_P(LockedImageTest, ADarkenedTexelLooksTheSameThroughTheShadeTable) {
    std::mt19937 random(GetParam() + 1);
    std::uniform_real_distribution<double> divisor(1.0, 25.0);
    ALLEGRO_LOCKED_REGION* region = al_lock_bitmap(library, GetParam(), ALLEGRO_LOCK_READWRITE);
    const LockedImage texels(library, region);
    const BitmapLock frame(asTarget(direct), ALLEGRO_LOCK_READWRITE);
    if (!texels.isDirect()) {
        al_unlock_bitmap(library);
        GTEST_SKIP() << "read through the library in this format";
    }
    for (int round = 0; round < 5000; ++round) {
        const uint32_t texel = static_cast<uint32_t>(random());
        std::memcpy(region->data, &texel, 4);
        const double by = round == 0 ? 1.0 : divisor(random);
        const double first = round % 2 == 0 ? 1.25 : 1.0;
        ShadeTable shade;
        shade.prepare(by, first);
        ASSERT_TRUE(shade.exact());
        const LockedImage::Pixel expected =
            frame.image().encode(Camera::darken(Camera::darken(texels.read(0, 0), first), by));
        ASSERT_EQ(frame.image().shaded(texels, texels.word(0, 0), shade).bits, expected.bits)
            << std::hex << texel << " darkened by " << by;
    }
    al_unlock_bitmap(library);
}

INSTANTIATE_TEST_SUITE_P(
    EveryFormat, LockedImageTest,
    ::testing::Values(ALLEGRO_PIXEL_FORMAT_ARGB_8888, ALLEGRO_PIXEL_FORMAT_RGBA_8888,
                      ALLEGRO_PIXEL_FORMAT_ABGR_8888, ALLEGRO_PIXEL_FORMAT_XBGR_8888,
                      ALLEGRO_PIXEL_FORMAT_RGBX_8888, ALLEGRO_PIXEL_FORMAT_XRGB_8888,
                      ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE, ALLEGRO_PIXEL_FORMAT_RGB_565));

} // namespace

TEST(ShadeTableTest, ADivisorThatWouldBrightenIsLeftToTheLibrary) {
    ShadeTable shade;
    shade.prepare(0.5);
    EXPECT_FALSE(shade.exact());
    shade.prepare(1.0);
    EXPECT_TRUE(shade.exact());
    shade.prepare(2.0, 0.9);
    EXPECT_FALSE(shade.exact());
}

TEST(LockedImageWritesTest, ABottomUpRegionIsWrittenRowByRowUpwards) {
    // How an OpenGL back buffer locks: data points at the top row, the pitch is negative.
    startAllegroForTests();
    ALLEGRO_BITMAP* bitmap = al_create_bitmap(3, 4);
    std::vector<uint32_t> memory(3 * 4, 0);
    ALLEGRO_LOCKED_REGION region{};
    region.data = &memory[3 * 3];
    region.format = ALLEGRO_PIXEL_FORMAT_ARGB_8888;
    region.pitch = -3 * 4;
    region.pixel_size = 4;
    const LockedImage image(bitmap, &region);
    ASSERT_TRUE(image.isDirect());
    image.fill(1, 0, 5, 2, al_map_rgb(255, 0, 0)); // runs off the right edge
    EXPECT_EQ(memory[3 * 3 + 1], 0xffff0000u);
    EXPECT_EQ(memory[3 * 3 + 2], 0xffff0000u);
    EXPECT_EQ(memory[2 * 3 + 1], 0xffff0000u);
    EXPECT_EQ(memory[3 * 3 + 0], 0u);
    EXPECT_EQ(memory[1 * 3 + 1], 0u);
    EXPECT_EQ(image.read(2, 1).r, 1.0f);
    EXPECT_EQ(image.read(3, 1).a, 0.0f);             // outside: transparent black
    image.fill(-2, -2, 2, 9, al_map_rgb(0, 255, 0)); // wholly outside: nothing
    EXPECT_EQ(std::count(memory.begin(), memory.end(), 0u), 8);
    al_destroy_bitmap(bitmap);
}

TEST(SteppedQuotientTest, GivesEveryQuotientDivisionWould) {
    std::mt19937_64 random(7);
    for (int round = 0; round < 20000; ++round) {
        const long long divisor =
            1 + static_cast<long long>(random() % (round % 3 == 0 ? 7 : 1u << 31));
        const long long step = static_cast<long long>(random() % (1u << 20));
        long long numerator = static_cast<long long>(random() % (1ull << 40)) - (1ll << 39);
        if (round % 2 == 0) {
            numerator = -static_cast<long long>(random() % (3 * step + 2)); // starts below zero
        }
        SteppedQuotient quotient(numerator, step, divisor);
        for (int k = 0; k < 50; ++k, numerator += step, quotient.next()) {
            ASSERT_EQ(quotient.value(), numerator / divisor)
                << numerator << " / " << divisor << ", step " << step;
        }
    }
}

TEST(CoverageMaskTest, TakesAndReportsBlocksAcrossWordBoundaries) {
    CoverageMask mask;
    mask.clear(130, 5);
    const CoverageMask::Span across = CoverageMask::span(60, 70); // words 0 and 1
    EXPECT_FALSE(mask.covers(across, 0, 2));
    EXPECT_EQ(mask.take(across, 1), 0x3ffu);
    EXPECT_TRUE(mask.covers(across, 1, 2));
    EXPECT_FALSE(mask.covers(across, 0, 2));
    const CoverageMask::Span inner = CoverageMask::span(62, 66);
    EXPECT_EQ(mask.take(inner, 1), 0u); // every pixel taken already
    EXPECT_EQ(mask.take(CoverageMask::span(66, 130), 1), ~uint64_t{0} << 4);
    const CoverageMask::Span wide = CoverageMask::span(64, 128); // a whole word
    EXPECT_TRUE(mask.covers(wide, 1, 2));
    mask.clear(130, 5);
    EXPECT_FALSE(mask.covers(inner, 1, 2));
}
