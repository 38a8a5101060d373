#include "TestSupport.h"

#include "io/InputSystem.h"

#include <gtest/gtest.h>

namespace {

// Drives the input system with hand-made device snapshots: no keyboard or mouse needed.
class InputSystemTest : public ::testing::Test {
  protected:
    void SetUp() override {
        input.createSnapshots();
        for (EventType type :
             {RUN_EVENT, SPAWN_UNIT_EVENT, MOUSE_EVENT, MOVE_EVENT, PLAYER_ATTACK_EVENT,
              SLOW_DOWN_EVENT, SPEED_UP_EVENT, QUIT_EVENT, SAVE_EVENT, SOUND_EVENT}) {
            events.addListener(type, &listener);
        }
    }

    // One keyboard poll with exactly these keys held.
    void pollKeys(std::initializer_list<int> held) {
        *input.currentKeyboard = ALLEGRO_KEYBOARD_STATE();
        for (int key : held) {
            holdKey(*input.currentKeyboard, key);
        }
        input.dispatchKeyboard();
    }

    void pollMouse(int x, int buttons) {
        input.currentMouse->x = x;
        input.currentMouse->buttons = buttons;
        input.dispatchMouse(300);
    }

    int count(EventType type) const {
        return static_cast<int>(
            std::count(listener.received.begin(), listener.received.end(), type));
    }

    EventSystem events;
    InputSystem input{&events};
    RecordingListener listener{"input"};
};

} // namespace

TEST_F(InputSystemTest, EscapeAndShiftActOnEveryPollWhileHeld) {
    pollKeys({ALLEGRO_KEY_ESCAPE});
    pollKeys({ALLEGRO_KEY_ESCAPE, ALLEGRO_KEY_LSHIFT, ALLEGRO_KEY_RSHIFT});
    pollKeys({ALLEGRO_KEY_RSHIFT});
    EXPECT_EQ(count(QUIT_EVENT), 2);
    EXPECT_EQ(count(RUN_EVENT), 2) << "both shift keys make one run event";
}

TEST_F(InputSystemTest, SpaceMinusAndEqualsActOncePerPress) {
    for (int i = 0; i < 5; ++i) {
        pollKeys({ALLEGRO_KEY_SPACE, ALLEGRO_KEY_MINUS, ALLEGRO_KEY_EQUALS});
    }
    EXPECT_EQ(count(SPAWN_UNIT_EVENT), 1);
    EXPECT_EQ(count(SLOW_DOWN_EVENT), 1);
    EXPECT_EQ(count(SPEED_UP_EVENT), 1);
    pollKeys({});
    pollKeys({ALLEGRO_KEY_SPACE});
    EXPECT_EQ(count(SPAWN_UNIT_EVENT), 2);
}

TEST_F(InputSystemTest, EventsOfOnePollComeInTheirFixedOrder) {
    pollKeys(
        {ALLEGRO_KEY_D, ALLEGRO_KEY_W, ALLEGRO_KEY_SPACE, ALLEGRO_KEY_LSHIFT, ALLEGRO_KEY_ESCAPE});
    EXPECT_EQ(listener.received, (std::vector<EventType>{QUIT_EVENT, RUN_EVENT, SPAWN_UNIT_EVENT,
                                                         MOVE_EVENT, MOVE_EVENT}));
    EXPECT_EQ(listener.moveForward, (std::vector<int>{1, 0}));
    EXPECT_EQ(listener.moveStrafe, (std::vector<int>{0, 1}));
}

TEST_F(InputSystemTest, ForwardBeatsBackAndLeftBeatsRight) {
    pollKeys({ALLEGRO_KEY_W, ALLEGRO_KEY_S, ALLEGRO_KEY_A, ALLEGRO_KEY_D});
    pollKeys({ALLEGRO_KEY_S});
    EXPECT_EQ(listener.moveForward, (std::vector<int>{1, 0, -1}));
    EXPECT_EQ(listener.moveStrafe, (std::vector<int>{0, -1, 0}));
}

TEST_F(InputSystemTest, FootstepKeyOnlyWithoutSidewaysMovement) {
    pollKeys({ALLEGRO_KEY_P});
    pollKeys({ALLEGRO_KEY_P});
    pollKeys({ALLEGRO_KEY_P, ALLEGRO_KEY_A});
    pollKeys({ALLEGRO_KEY_P, ALLEGRO_KEY_D});
    pollKeys({ALLEGRO_KEY_P, ALLEGRO_KEY_W});
    EXPECT_EQ(listener.soundIds, (std::vector<int>{0, 0, 0}));
}

TEST_F(InputSystemTest, MouseReportsItsOffsetEveryPoll) {
    pollMouse(300, 0);
    pollMouse(280, 0);
    pollMouse(330, 0);
    EXPECT_EQ(listener.mouseDeltas, (std::vector<int>{0, 20, -30}));
}

TEST_F(InputSystemTest, MouseButtonsActOncePerPress) {
    pollMouse(300, 1);
    pollMouse(300, 1);
    pollMouse(300, 1 | 2);
    pollMouse(300, 0);
    pollMouse(300, 1);
    EXPECT_EQ(count(PLAYER_ATTACK_EVENT), 2);
    EXPECT_EQ(count(SAVE_EVENT), 1);
}

TEST_F(InputSystemTest, MenuSeesAKeyAsPressedOnlyOnItsFirstPoll) {
    holdKey(*input.currentKeyboard, ALLEGRO_KEY_ENTER);
    EXPECT_TRUE(input.keyPressed(ALLEGRO_KEY_ENTER));
    input.rememberKeyboard();
    EXPECT_FALSE(input.keyPressed(ALLEGRO_KEY_ENTER));
    EXPECT_TRUE(input.keyDown(ALLEGRO_KEY_ENTER));
}

// X11's Allegro flips the Pause key's state on each press and never reports a release,
// so going up counts as a press as much as going down.
TEST_F(InputSystemTest, EveryChangeOfThePauseKeyIsAPress) {
    std::vector<bool> pressed;
    for (auto held : {true, true, false, false, true}) {
        pollKeys(held ? std::initializer_list<int>{ALLEGRO_KEY_PAUSE}
                      : std::initializer_list<int>{});
        pressed.push_back(input.pausePressed);
    }
    EXPECT_EQ(pressed, (std::vector<bool>{true, false, true, false, true}));
    EXPECT_TRUE(listener.received.empty()); // Pause is not one of play's events
}

TEST_F(InputSystemTest, F11OrEnterWithAltSwitchesTheScreenOncePerPress) {
    pollKeys({ALLEGRO_KEY_F11});
    EXPECT_TRUE(input.fullscreenPressed);
    pollKeys({ALLEGRO_KEY_F11});
    EXPECT_FALSE(input.fullscreenPressed);
    pollKeys({ALLEGRO_KEY_ENTER});
    EXPECT_FALSE(input.fullscreenPressed);
    pollKeys({});
    pollKeys({ALLEGRO_KEY_ALT, ALLEGRO_KEY_ENTER});
    EXPECT_TRUE(input.fullscreenPressed);
    pollKeys({ALLEGRO_KEY_ALT, ALLEGRO_KEY_ENTER}); // held: no second switch
    EXPECT_FALSE(input.fullscreenPressed);
    pollKeys({});
    pollKeys({ALLEGRO_KEY_ALTGR, ALLEGRO_KEY_ENTER});
    EXPECT_TRUE(input.fullscreenPressed);
}

// After a pause the pointer may be anywhere, and a button may have been pressed on
// another window: neither turns the view or swings the sword.
TEST_F(InputSystemTest, AfterAPauseTheFirstReadingTurnsNothingAndHeldButtonsAreOld) {
    input.currentMouse->x = 900;
    input.currentMouse->buttons = 1;
    input.startAfresh();
    input.dispatchMouse(300);
    pollMouse(290, 1);
    EXPECT_EQ(listener.mouseDeltas, (std::vector<int>{0, 10}));
    EXPECT_EQ(count(PLAYER_ATTACK_EVENT), 0);
}
