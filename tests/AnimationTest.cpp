#include "TestSupport.h"

#include "render/Animation.h"
#include "render/SpriteManager.h"

#include <gtest/gtest.h>

namespace {

// Thirteen sprites under ids 0..12 over no image: enough to tell frames apart.
class AnimationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int id = 0; id <= 12; ++id) {
            sprites.addSprite(id, new Sprite(nullptr, id * 64, 0, 64, 64));
        }
    }

    // One frame later: as if the animation's timer had run for ms milliseconds.
    static void after(Animation& animation, double ms, double timeScale = 1.0) {
        animation.timer->start();
        backdate(*animation.timer, ms);
        animation.update(timeScale);
    }

    int shownId(const Animation& animation) const {
        for (const auto& [id, sprite] : sprites.sprites) {
            if (sprite == animation.currentSprite()) {
                return id;
            }
        }
        return -1;
    }

    SpriteManager sprites;
};

} // namespace

TEST_F(AnimationTest, WeaponRestsThenSwingsOnceAndRestsAgain) {
    Animation* sword = createAnimation(&sprites, 100.0, {5, 6, 7, 8});
    sword->loop = true;
    sword->finished = true;
    sword->stopFrame = 0;
    after(*sword, 500.0);
    EXPECT_EQ(shownId(*sword), 5) << "a resting sword does not advance";
    sword->finished = false;
    std::vector<int> shown;
    for (int frame = 0; frame < 6; ++frame) {
        after(*sword, 101.0);
        shown.push_back(shownId(*sword));
    }
    EXPECT_EQ(shown, (std::vector<int>{6, 7, 8, 5, 5, 5}));
    EXPECT_TRUE(sword->finished);
    delete sword;
}

TEST_F(AnimationTest, UnitCycleLoopsForever) {
    Animation* walk = createAnimation(&sprites, 50.0, {0, 1, 2, 3, 2, 1});
    std::vector<int> shown = {shownId(*walk)};
    for (int frame = 0; frame < 8; ++frame) {
        after(*walk, 51.0);
        shown.push_back(shownId(*walk));
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 3, 2, 1, 0, 1, 2}));
    EXPECT_FALSE(walk->finished);
    delete walk;
}

TEST_F(AnimationTest, AdvancesAtMostOneFramePerUpdateAndOnlyWhenDue) {
    Animation* walk = createAnimation(&sprites, 50.0, {0, 1, 2, 3, 2, 1});
    after(*walk, 10000.0);
    EXPECT_EQ(walk->currentFrame, 1) << "a long pause still advances one frame";
    after(*walk, 30.0);
    EXPECT_EQ(walk->currentFrame, 1) << "too early";
    delete walk;
}

TEST_F(AnimationTest, TimeScaleShortensTheFrame) {
    Animation* walk = createAnimation(&sprites, 50.0, {0, 1, 2, 3, 2, 1});
    after(*walk, 26.0, 2.0);
    EXPECT_EQ(walk->currentFrame, 1);
    after(*walk, 20.0, 2.0);
    EXPECT_EQ(walk->currentFrame, 1);
    after(*walk, 26.0, 0.5);
    EXPECT_EQ(walk->currentFrame, 1) << "at half speed 26 ms is only 13";
    delete walk;
}

TEST_F(AnimationTest, OneShotAnimationStopsOnItsLastFrame) {
    Animation* once = createAnimation(&sprites, 10.0, {9, 10, 11});
    once->loop = false;
    for (int frame = 0; frame < 5; ++frame) {
        after(*once, 11.0);
    }
    EXPECT_EQ(shownId(*once), 11);
    EXPECT_TRUE(once->finished);
    delete once;
}

TEST_F(AnimationTest, MissingSpriteIdGivesAnEmptyFrame) {
    Animation* gaps = createAnimation(&sprites, 10.0, {0, 42});
    after(*gaps, 11.0);
    EXPECT_EQ(gaps->currentSprite(), nullptr);
    delete gaps;
}
