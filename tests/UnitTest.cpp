#include "units/Unit.h"
#include "TestSupport.h"
#include "core/Event.h"
#include "core/EventSystem.h"
#include "render/Camera.h"
#include "world/MapGrid.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

const double NONE = -1.0;

class UnitTest : public ::testing::Test {
  protected:
    void SetUp() override {
        grid = MapGrid::allocate();
        events.addListener(ATTACK_EVENT, &rules);
        camera.posX = 20.5;
        camera.posY = 20.5;
    }
    void TearDown() override {
        delete unit;
        MapGrid::release(grid);
    }

    Unit& unitAt(double x, double y) {
        unit = new Unit(&events, nullptr, x, y);
        return *unit;
    }
    // One frame in which the unit's pace allows it to act.
    void act(double targetX = NONE, double targetY = NONE) {
        backdate(*unit->timer, Unit::STEP_INTERVAL_MS);
        unit->update(grid, &camera, 1.0, targetX, targetY);
    }

    EventSystem events;
    RecordingListener rules{"rules"};
    Camera camera{&events};
    int** grid = nullptr;
    Unit* unit = nullptr;
};

TEST_F(UnitTest, ConstructorsGiveHostileAndPlayerValues) {
    Unit player;
    EXPECT_FALSE(player.alive);
    EXPECT_DOUBLE_EQ(player.speed, 0.0);
    EXPECT_EQ(player.health, 10);
    EXPECT_EQ(player.stamina, 20);
    Unit& hostile = unitAt(5.0, 7.0);
    EXPECT_TRUE(hostile.alive);
    EXPECT_DOUBLE_EQ(hostile.speed, 0.05);
    EXPECT_EQ(hostile.damage, 3);
}

TEST_F(UnitTest, ADestroyedUnitHearsNoMoreTicks) {
    unitAt(5.0, 5.0).hurtCounter = 5;
    events.fireEvent(Event(TICK_EVENT));
    EXPECT_EQ(unit->hurtCounter, 4);
    delete unit;
    unit = nullptr;
    events.fireEvent(Event(TICK_EVENT)); // would touch freed memory if still registered
}

TEST_F(UnitTest, AStepTowardAFarWaypointIsOneTwentiethOfACell) {
    unitAt(3.0, 3.0);
    act(5.0, 3.0);
    EXPECT_DOUBLE_EQ(unit->x, 3.05);
    EXPECT_DOUBLE_EQ(unit->y, 3.0);
}

TEST_F(UnitTest, AStepNeverPassesItsPoint) {
    unitAt(4.97, 3.0);
    act(5.0, 3.0);
    EXPECT_DOUBLE_EQ(unit->x, 5.0);
    act(5.0, 3.0);
    EXPECT_DOUBLE_EQ(unit->x, 5.0); // and it stays there
}

TEST_F(UnitTest, StepsOfAFifthOfACellLandExactlyOnAWholeNumberWaypoint) {
    // 0.05 is not exact in binary: twenty plain steps would end a hair off 4.0.
    unitAt(3.0, 3.0);
    for (int i = 0; i < 25; ++i) {
        act(4.0, 3.0);
    }
    EXPECT_EQ(unit->x, 4.0);
    EXPECT_EQ(static_cast<int>(unit->x), 4);
}

TEST_F(UnitTest, WithoutAWaypointAFarUnitStandsStill) {
    unitAt(3.0, 3.0);
    act(NONE, NONE);
    EXPECT_DOUBLE_EQ(unit->x, 3.0);
    EXPECT_DOUBLE_EQ(unit->y, 3.0);
}

TEST_F(UnitTest, WithinOneCellAUnitWalksStraightAtThePlayer) {
    unitAt(19.7, 20.2); // 0.8 away in x, 0.3 in y
    act(10.0, 10.0);
    EXPECT_DOUBLE_EQ(unit->x, 19.75);
    EXPECT_DOUBLE_EQ(unit->y, 20.25);
}

TEST_F(UnitTest, AUnitBlockedOnOneAxisSlidesAlongTheOther) {
    grid[4][3] = 1;
    unitAt(3.98, 3.5);
    act(5.0, 5.0);
    EXPECT_DOUBLE_EQ(unit->x, 3.98);
    EXPECT_DOUBLE_EQ(unit->y, 3.55);
}

TEST_F(UnitTest, AStepOutOfTheGridIsRefused) {
    unitAt(0.02, 0.02);
    act(-0.5 + 0.0001, 0.5); // a point beyond the edge on x
    EXPECT_DOUBLE_EQ(unit->x, 0.02);
    EXPECT_DOUBLE_EQ(unit->y, 0.07);
}

TEST_F(UnitTest, AUnitInReachStrikesUntilItsStaminaRunsOut) {
    unitAt(20.0, 20.0); // 0.5 from the player on both axes
    act();
    EXPECT_EQ(rules.attackAmounts, std::vector<int>({-3}));
    EXPECT_EQ(unit->stamina, 9);
    act();
    EXPECT_EQ(rules.attackAmounts.size(), 1u);
    EXPECT_DOUBLE_EQ(unit->x, 20.0); // within reach it never moves
}

TEST_F(UnitTest, TenStaminaIsEnoughForOneLastBlow) {
    unitAt(20.0, 20.0).stamina = 10;
    act();
    EXPECT_EQ(unit->stamina, -1);
    EXPECT_EQ(rules.attackAmounts.size(), 1u);
}

TEST_F(UnitTest, ReachIsTestedOnEachAxisSeparately) {
    unitAt(19.8, 20.4); // 0.7 away in x: out of reach, however close in y
    act();
    EXPECT_TRUE(rules.attackAmounts.empty());
    EXPECT_DOUBLE_EQ(unit->x, 19.85); // it stepped closer instead
    delete unit;
    unitAt(19.9, 19.9); // 0.6 on both axes: the diagonal is 0.85, still in reach
    act();
    EXPECT_EQ(rules.attackAmounts.size(), 1u);
}

TEST_F(UnitTest, AUnitActsAtMostOnceEveryHundredFiftyMilliseconds) {
    unitAt(3.0, 3.0);
    act(5.0, 3.0);
    unit->update(grid, &camera, 1.0, 5.0, 3.0); // straight after: too soon
    EXPECT_DOUBLE_EQ(unit->x, 3.05);
    backdate(*unit->timer, 140.0);
    unit->update(grid, &camera, 8.0, 5.0, 3.0); // a faster game does not hurry it
    EXPECT_DOUBLE_EQ(unit->x, 3.05);
    backdate(*unit->timer, 20.0);
    unit->update(grid, &camera, 1.0, 5.0, 3.0);
    EXPECT_DOUBLE_EQ(unit->x, 3.1);
}

TEST_F(UnitTest, AHurtUnitShowsItsHurtPictureForTenTicks) {
    unitAt(3.0, 3.0);
    Sprite hurtPicture(nullptr, 0, 0, 64, 64);
    unit->hurtSprite = &hurtPicture;
    unit->hurt = true;
    unit->hurtCounter = 10;
    for (int tick = 0; tick < 9; ++tick) {
        events.fireEvent(Event(TICK_EVENT));
        EXPECT_EQ(unit->getCurrentSprite(), &hurtPicture);
    }
    events.fireEvent(Event(TICK_EVENT));
    EXPECT_FALSE(unit->hurt);
    EXPECT_EQ(unit->getCurrentSprite(), nullptr); // no animation: no picture
}

TEST_F(UnitTest, ATickWithNothingToCountNeitherGoesBelowZeroNorHurts) {
    unitAt(3.0, 3.0);
    events.fireEvent(Event(TICK_EVENT));
    EXPECT_FALSE(unit->hurt);
    EXPECT_EQ(unit->hurtCounter, 0);
}

TEST_F(UnitTest, AUnitWithNoHealthLeftDiesAtItsNextUpdate) {
    unitAt(3.0, 3.0).health = -2;
    act(5.0, 3.0);
    EXPECT_FALSE(unit->alive);
    EXPECT_EQ(unit->health, 0);
    EXPECT_DOUBLE_EQ(unit->x, 3.0);
}

TEST_F(UnitTest, DamageStopsAtZeroAndAnyChangeHurts) {
    unitAt(3.0, 3.0).applyDamage(-4);
    EXPECT_EQ(unit->health, 6);
    EXPECT_TRUE(unit->alive);
    EXPECT_TRUE(unit->hurt);
    EXPECT_EQ(unit->hurtCounter, 10);
    unit->applyDamage(-7);
    EXPECT_EQ(unit->health, 0);
    EXPECT_FALSE(unit->alive);
    unit->hurt = false;
    unit->applyDamage(20); // no ceiling, and a gain still counts as a hurt
    EXPECT_EQ(unit->health, 20);
    EXPECT_TRUE(unit->hurt);
    unit->health = INT32_MAX;
    unit->applyDamage(5);
    EXPECT_EQ(unit->health, INT32_MAX);
}

// Units that overshot a whole-number waypoint used to dither around it forever. Walking
// a random path of whole-number waypoints, a unit must land on each of them.
TEST_F(UnitTest, AUnitReachesEveryWaypointOfALongWalk) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> cell(2, 27);
    unitAt(10.0, 10.0);
    camera.posX = 100.0; // the player is far away: only waypoints lead
    for (int leg = 0; leg < 40; ++leg) {
        const double wx = cell(random);
        const double wy = cell(random);
        for (int frame = 0; frame < 1200 && (unit->x != wx || unit->y != wy); ++frame) {
            act(wx, wy);
        }
        ASSERT_EQ(unit->x, wx) << "leg " << leg;
        ASSERT_EQ(unit->y, wy) << "leg " << leg;
    }
}

} // namespace
