#include "core/Event.h"
#include "core/EventSystem.h"
#include "core/MouseEvent.h"
#include "core/MoveEvent.h"
#include "render/Camera.h"
#include "world/MapGrid.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

const double FRAME_STEP = 1.0 / 15.0; // four cells a second at 60 frames a second
const double FRAME_TURN = 0.05;

class CameraMovementTest : public ::testing::Test {
  protected:
    void SetUp() override {
        grid = MapGrid::allocate();
        camera.init(400, 600, grid);
        camera.posX = 22.5;
        camera.posY = 22.5;
        newFrame();
    }
    void TearDown() override { MapGrid::release(grid); }

    // The frame loop writes the speeds afresh before every poll.
    void newFrame() {
        camera.moveSpeed = FRAME_STEP;
        camera.rotSpeed = FRAME_TURN;
    }
    void turnBy(int deltaX) {
        newFrame();
        events.fireEvent(MouseEvent(deltaX));
    }
    double headingChangeFor(int deltaX) {
        const double before = std::atan2(camera.dirY, camera.dirX);
        turnBy(deltaX);
        return std::remainder(std::atan2(camera.dirY, camera.dirX) - before, 2 * M_PI);
    }

    EventSystem events;
    Camera camera{&events};
    int** grid = nullptr;
};

TEST_F(CameraMovementTest, AForwardStepFollowsTheView) {
    events.fireEvent(MoveEvent(0, 1));
    EXPECT_NEAR(camera.posX, 22.5 - FRAME_STEP, 1e-12);
    EXPECT_DOUBLE_EQ(camera.posY, 22.5);
    EXPECT_TRUE(camera.moved);
}

TEST_F(CameraMovementTest, BackAndSidewaysStepsFollowTheViewAndThePlane) {
    events.fireEvent(MoveEvent(0, -1));
    EXPECT_NEAR(camera.posX, 22.5 + FRAME_STEP, 1e-12);
    events.fireEvent(MoveEvent(1, 0)); // right, along the plane: 0.66 of a step
    EXPECT_NEAR(camera.posY, 22.5 + 0.66 * FRAME_STEP, 1e-12);
    events.fireEvent(MoveEvent(-1, 0));
    EXPECT_NEAR(camera.posY, 22.5, 1e-12);
}

TEST_F(CameraMovementTest, RunningMakesThisFramesStepsHalfAgainAsLong) {
    events.fireEvent(Event(RUN_EVENT));
    events.fireEvent(MoveEvent(0, 1));
    EXPECT_NEAR(camera.posX, 22.4, 1e-12);
    EXPECT_TRUE(camera.running);
    newFrame();
    events.fireEvent(MoveEvent(0, 1));
    EXPECT_NEAR(camera.posX, 22.4 - FRAME_STEP, 1e-12);
}

TEST_F(CameraMovementTest, AWallStopsTheStepButTheAttemptStillCounts) {
    grid[22][22] = 1;
    camera.posX = 23.02;
    events.fireEvent(MoveEvent(0, 1));
    EXPECT_DOUBLE_EQ(camera.posX, 23.02);
    EXPECT_TRUE(camera.moved);
}

TEST_F(CameraMovementTest, WalkingIntoAWallStopsShortOfItsFace) {
    grid[22][22] = 1;
    camera.posX = 24.0;
    for (int frame = 0; frame < 60; ++frame) {
        events.fireEvent(MoveEvent(0, 1));
    }
    EXPECT_GE(camera.posX, 23.0 + Camera::WALL_MARGIN);
    EXPECT_LT(camera.posX, 23.0 + Camera::WALL_MARGIN + FRAME_STEP);
}

TEST_F(CameraMovementTest, ThePlayerCanWalkAlongOrAwayFromAWallItTouches) {
    grid[22][21] = 1;   // the wall on the left, its face on the line y = 22
    camera.posY = 22.0; // standing in that face
    events.fireEvent(MoveEvent(0, 1));
    EXPECT_NEAR(camera.posX, 22.5 - FRAME_STEP, 1e-12);
    events.fireEvent(MoveEvent(1, 0));
    EXPECT_GT(camera.posY, 22.0);
}

TEST_F(CameraMovementTest, AStepLandingOnOpenFloorPassesTheCornerOfAWall) {
    grid[22][23] = 1;
    camera.posX = 23.01;
    camera.posY = 22.99;
    camera.moveSpeed = 0.1;
    events.fireEvent(MoveEvent(0, 1)); // ends at (22.91, 22.99), beside the wall cell
    EXPECT_NEAR(camera.posX, 22.91, 1e-12);
}

TEST_F(CameraMovementTest, AStepOutOfTheGridIsRefused) {
    camera.posX = 0.03; // the border is open floor here, which a real level never has
    events.fireEvent(MoveEvent(0, 1));
    EXPECT_DOUBLE_EQ(camera.posX, 0.03);
}

TEST_F(CameraMovementTest, OtherFieldValuesAndOtherEventsMoveNothing) {
    events.fireEvent(MoveEvent(2, -3));
    events.fireEvent(Event(PLAYER_ATTACK_EVENT));
    EXPECT_DOUBLE_EQ(camera.posX, 22.5);
    EXPECT_DOUBLE_EQ(camera.posY, 22.5);
    EXPECT_DOUBLE_EQ(camera.dirX, -1.0);
    EXPECT_DOUBLE_EQ(camera.planeY, 0.66);
    EXPECT_FALSE(camera.moved);
}

TEST_F(CameraMovementTest, MouseTravelPicksOneOfThreeTurnSizes) {
    EXPECT_NEAR(headingChangeFor(5), 0.05, 1e-12);
    EXPECT_NEAR(headingChangeFor(9), 0.05, 1e-12);
    EXPECT_NEAR(headingChangeFor(10), 0.135, 1e-12);
    EXPECT_NEAR(headingChangeFor(19), 0.135, 1e-12);
    EXPECT_NEAR(headingChangeFor(20), 0.16, 1e-12);
    EXPECT_NEAR(headingChangeFor(5000), 0.16, 1e-12);
    EXPECT_NEAR(headingChangeFor(-5), -0.05, 1e-12);
    EXPECT_NEAR(headingChangeFor(-20), -0.16, 1e-12);
    EXPECT_DOUBLE_EQ(headingChangeFor(0), 0.0);
}

TEST_F(CameraMovementTest, APositiveTravelTurnsTowardTheLeftEdgeOfTheView) {
    // Facing -x with +y on the right, the left of the view is -y.
    turnBy(20);
    EXPECT_LT(camera.dirY, 0.0);
}

TEST_F(CameraMovementTest, TurningKeepsTheLengthsAndTheRightAngle) {
    const int travels[] = {5, -12, 25, 3, -40, 17};
    for (int i = 0; i < 5000; ++i) {
        turnBy(travels[i % 6]);
    }
    EXPECT_NEAR(camera.dirX * camera.dirX + camera.dirY * camera.dirY, 1.0, 1e-9);
    EXPECT_NEAR(camera.planeX * camera.planeX + camera.planeY * camera.planeY, 0.66 * 0.66, 1e-9);
    EXPECT_NEAR(camera.dirX * camera.planeX + camera.dirY * camera.planeY, 0.0, 1e-9);
}

} // namespace

namespace {

// Smooth turning: the heading follows the pointer pixel for pixel, whatever the game's
// speed; the turning keys add one base turn of the frame's speed before the pointer's.
TEST_F(CameraMovementTest, SmoothTurningFollowsTheTravelAndKeysTurnByTheBase) {
    camera.radiansPerPixel = 0.003;
    EXPECT_NEAR(headingChangeFor(1), 0.003, 1e-12);
    EXPECT_NEAR(headingChangeFor(-37), -0.111, 1e-12);
    EXPECT_NEAR(headingChangeFor(300), 0.9, 1e-12);
    EXPECT_DOUBLE_EQ(headingChangeFor(0), 0.0);
    camera.radiansPerPixel = 0.0;
    auto keyTurn = [this](int32_t deltaX, int8_t key) {
        const double before = std::atan2(camera.dirY, camera.dirX);
        newFrame();
        events.fireEvent(MouseEvent(deltaX, key));
        return std::remainder(std::atan2(camera.dirY, camera.dirX) - before, 2 * M_PI);
    };
    EXPECT_NEAR(keyTurn(0, +1), 0.05, 1e-12);
    EXPECT_NEAR(keyTurn(0, -1), -0.05, 1e-12);
    EXPECT_NEAR(keyTurn(25, -1), -0.05 + 0.16, 1e-12); // the pointer's classic turn on top
}

} // namespace
