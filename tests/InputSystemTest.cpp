#include "TestSupport.h"

#include "io/InputSystem.h"
#include "io/KeyboardLayout.h"

#include <X11/keysym.h>

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

    // One frame's reading with exactly these keys held and the pointer at the centre; its
    // command is fired, and kept in `last`.
    void pollKeys(std::initializer_list<int> held) {
        *input.currentKeyboard = ALLEGRO_KEYBOARD_STATE();
        for (int key : held) {
            holdKey(*input.currentKeyboard, key);
        }
        input.currentMouse->x = 300;
        poll();
    }

    void pollMouse(int x, int buttons) {
        *input.currentKeyboard = ALLEGRO_KEYBOARD_STATE();
        input.currentMouse->x = x;
        input.currentMouse->buttons = buttons;
        poll();
    }

    void poll() {
        last = input.commandFromSnapshots(300);
        input.fire(last);
    }

    int count(EventType type) const {
        return static_cast<int>(
            std::count(listener.received.begin(), listener.received.end(), type));
    }

    EventSystem events;
    InputSystem input{&events};
    RecordingListener listener{"input"};
    PlayerCommand last;
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
                                                         MOVE_EVENT, MOVE_EVENT, MOUSE_EVENT}));
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

// A press the keyboard's events tell of, let go before the screens looked: they take it,
// once; play, which polls the keys' state once a frame as designed, never hears it.
TEST_F(InputSystemTest, ScreensTakeATapBetweenTwoReadingsAndPlayDoesNot) {
    input.notePress(ALLEGRO_KEY_O);
    EXPECT_TRUE(input.readMenuCommand(false).options);
    EXPECT_FALSE(input.readMenuCommand(false).options) << "taken once";
    input.notePress(ALLEGRO_KEY_A); // the first of Allegro's key codes
    EXPECT_EQ(input.readMenuCommand(false).letter, 'a');
    input.notePress(ALLEGRO_KEY_SPACE);
    input.notePress(ALLEGRO_KEY_ESCAPE);
    last = input.readCommand(300);
    EXPECT_FALSE(last.spawn || last.quit);
    EXPECT_FALSE(input.readMenuCommand(false).back) << "nor is it kept for a screen after";
    input.notePress(ALLEGRO_KEY_MAX); // no key of Allegro's: passed over
    input.notePress(-1);
    EXPECT_EQ(input.anyKeyPressed(), 0);
}

// The key that closes a screen is spent there: held on into play, Escape neither saves nor
// quits, nor does a held walking key walk, until each is let go and pressed again; and a
// press made before a screen opened is not taken by it.
TEST_F(InputSystemTest, AKeyHeldAsAScreenClosesActsNoFurther) {
    holdKey(*input.currentKeyboard, ALLEGRO_KEY_ESCAPE);
    holdKey(*input.currentKeyboard, ALLEGRO_KEY_W);
    input.spendHeldKeys();
    pollKeys({ALLEGRO_KEY_ESCAPE, ALLEGRO_KEY_W});
    EXPECT_FALSE(last.quit);
    EXPECT_EQ(last.forward, 0);
    pollKeys({ALLEGRO_KEY_W});
    input.readKeyboard(); // Escape let go, W still held
    pollKeys({ALLEGRO_KEY_ESCAPE, ALLEGRO_KEY_W});
    EXPECT_TRUE(last.quit) << "pressed again";
    EXPECT_EQ(last.forward, 0) << "W was never let go";
    EXPECT_EQ(count(QUIT_EVENT), 1);
    input.notePress(ALLEGRO_KEY_L);
    input.spendHeldKeys();
    EXPECT_FALSE(input.readMenuCommand(false).levels);
}

// X11's Allegro flips the Pause key's state on each press and never reports a release,
// so going up counts as a press as much as going down.
TEST_F(InputSystemTest, EveryChangeOfThePauseKeyIsAPress) {
    std::vector<bool> pressed;
    for (auto held : {true, true, false, false, true}) {
        pollKeys(held ? std::initializer_list<int>{ALLEGRO_KEY_PAUSE}
                      : std::initializer_list<int>{});
        pressed.push_back(last.pause);
    }
    EXPECT_EQ(pressed, (std::vector<bool>{true, false, true, false, true}));
    // Pause is not one of play's events: only the frames' turns were fired.
    EXPECT_EQ(count(MOUSE_EVENT), static_cast<int>(listener.received.size()));
}

TEST_F(InputSystemTest, F11OrEnterWithAltSwitchesTheScreenOncePerPress) {
    pollKeys({ALLEGRO_KEY_F11});
    EXPECT_TRUE(last.fullscreen);
    pollKeys({ALLEGRO_KEY_F11});
    EXPECT_FALSE(last.fullscreen);
    pollKeys({ALLEGRO_KEY_ENTER});
    EXPECT_FALSE(last.fullscreen);
    pollKeys({});
    pollKeys({ALLEGRO_KEY_ALT, ALLEGRO_KEY_ENTER});
    EXPECT_TRUE(last.fullscreen);
    pollKeys({ALLEGRO_KEY_ALT, ALLEGRO_KEY_ENTER}); // held: no second switch
    EXPECT_FALSE(last.fullscreen);
    pollKeys({});
    pollKeys({ALLEGRO_KEY_ALTGR, ALLEGRO_KEY_ENTER});
    EXPECT_TRUE(last.fullscreen);
}

// After a pause the pointer may be anywhere, and a button may have been pressed on
// another window: neither turns the view or swings the sword.
TEST_F(InputSystemTest, AfterAPauseTheFirstReadingTurnsNothingAndHeldButtonsAreOld) {
    input.currentMouse->x = 900;
    input.currentMouse->buttons = 1;
    input.startAfresh();
    poll();
    pollMouse(290, 1);
    EXPECT_EQ(listener.mouseDeltas, (std::vector<int>{0, 10}));
    EXPECT_EQ(count(PLAYER_ATTACK_EVENT), 0);
}

// The arrow keys beside W, A, S and D: Up and Down walk, Left and Right turn by the base
// turn, which the pointer's travel of the same frame adds to.
TEST_F(InputSystemTest, ArrowKeysWalkAndTurn) {
    pollKeys({ALLEGRO_KEY_UP});
    EXPECT_EQ(last.forward, 1);
    pollKeys({ALLEGRO_KEY_DOWN, ALLEGRO_KEY_LEFT});
    EXPECT_EQ(last.forward, -1);
    EXPECT_EQ(last.keyTurn, 1);
    EXPECT_EQ(last.strafe, 0);
    pollKeys({ALLEGRO_KEY_RIGHT, ALLEGRO_KEY_W});
    EXPECT_EQ(last.keyTurn, -1);
    EXPECT_EQ(last.forward, 1);
    EXPECT_EQ(listener.moveForward, (std::vector<int>{1, -1, 1}));
    EXPECT_EQ(listener.mouseDeltas, (std::vector<int>{0, 0, 0}));
}

// Every action rebound to another key: the new keys do what the old ones did, the old
// ones nothing, and the fixed second keys and Escape stay as they were.
TEST_F(InputSystemTest, RebindingMovesEveryActionToItsNewKey) {
    const int newKeys[] = {ALLEGRO_KEY_Z,     ALLEGRO_KEY_H,   ALLEGRO_KEY_Q, ALLEGRO_KEY_J,
                           ALLEGRO_KEY_LCTRL, ALLEGRO_KEY_TAB, ALLEGRO_KEY_1, ALLEGRO_KEY_2,
                           ALLEGRO_KEY_B,     ALLEGRO_KEY_F10, ALLEGRO_KEY_F, ALLEGRO_KEY_K,
                           ALLEGRO_KEY_N};
    static_assert(sizeof newKeys / sizeof newKeys[0] == KeyBindings::ACTION_COUNT);
    for (int i = 0; i < KeyBindings::ACTION_COUNT; ++i) {
        KeyBindings::Action swapped;
        ASSERT_TRUE(input.bindings.bind(static_cast<KeyBindings::Action>(i), newKeys[i], swapped));
    }
    pollKeys({ALLEGRO_KEY_W, ALLEGRO_KEY_A, ALLEGRO_KEY_LSHIFT, ALLEGRO_KEY_SPACE,
              ALLEGRO_KEY_MINUS, ALLEGRO_KEY_EQUALS, ALLEGRO_KEY_F11, ALLEGRO_KEY_P,
              ALLEGRO_KEY_F12});
    EXPECT_EQ(last, PlayerCommand()) << "the old keys do nothing";
    pollKeys({});
    pollKeys({ALLEGRO_KEY_Z, ALLEGRO_KEY_Q, ALLEGRO_KEY_LCTRL, ALLEGRO_KEY_TAB, ALLEGRO_KEY_1,
              ALLEGRO_KEY_2, ALLEGRO_KEY_F10, ALLEGRO_KEY_B, ALLEGRO_KEY_K, ALLEGRO_KEY_N});
    PlayerCommand expected;
    expected.forward = 1;
    expected.strafe = -1;
    expected.run = true;
    expected.spawn = expected.slower = expected.faster = expected.fullscreen = true;
    expected.pause = expected.screenshot = expected.map = true;
    EXPECT_EQ(last, expected);
    pollKeys({ALLEGRO_KEY_H, ALLEGRO_KEY_F, ALLEGRO_KEY_RSHIFT, ALLEGRO_KEY_ESCAPE});
    EXPECT_EQ(last.forward, -1);
    EXPECT_TRUE(last.footstep && last.run && last.quit);
    pollKeys({ALLEGRO_KEY_J, ALLEGRO_KEY_UP});
    EXPECT_EQ(last.strafe, 1);
    EXPECT_EQ(last.forward, 1);
}

namespace {

// The layout's keys at the US places of W, S, A, D, P, Minus and Equals, in that order.
std::array<std::pair<int, int>, 7> layout(std::array<int, 7> there) {
    std::array<std::pair<int, int>, 7> placed{};
    const std::array<int, 7> us = KeyBindings::placedKeys();
    for (std::size_t i = 0; i < us.size(); ++i) {
        placed[i] = {us[i], there[i]};
    }
    return placed;
}

const std::array<int, 7> US = {ALLEGRO_KEY_W, ALLEGRO_KEY_S,     ALLEGRO_KEY_A,     ALLEGRO_KEY_D,
                               ALLEGRO_KEY_P, ALLEGRO_KEY_MINUS, ALLEGRO_KEY_EQUALS};

} // namespace

// The default keys go by their places: on a French board forward is Z and step left Q,
// and the menus' W and S move with them; a layout whose places would clash keeps the
// US keys.
TEST(KeyboardLayoutTest, TheDefaultKeysGoByTheirPlacesOnTheBoard) {
    EXPECT_EQ(KeyboardLayout::allegroKeyOf(XK_z), ALLEGRO_KEY_Z);
    EXPECT_EQ(KeyboardLayout::allegroKeyOf(XK_equal), ALLEGRO_KEY_EQUALS);
    EXPECT_EQ(KeyboardLayout::allegroKeyOf(XK_parenright), 0);
    KeyBindings::useLayout(layout({ALLEGRO_KEY_Z, ALLEGRO_KEY_S, ALLEGRO_KEY_Q, ALLEGRO_KEY_D,
                                   ALLEGRO_KEY_P, ALLEGRO_KEY_MINUS, ALLEGRO_KEY_EQUALS}));
    const KeyBindings french;
    EXPECT_EQ(french.key(KeyBindings::Action::Forward), ALLEGRO_KEY_Z);
    EXPECT_EQ(french.key(KeyBindings::Action::Left), ALLEGRO_KEY_Q);
    EXPECT_EQ(french.key(KeyBindings::Action::Spawn), ALLEGRO_KEY_SPACE);
    EXPECT_EQ(KeyBindings::atPlaceOf(ALLEGRO_KEY_W), ALLEGRO_KEY_Z);
    KeyBindings::useLayout(layout({ALLEGRO_KEY_Z, ALLEGRO_KEY_Z, ALLEGRO_KEY_A, ALLEGRO_KEY_D,
                                   ALLEGRO_KEY_P, ALLEGRO_KEY_MINUS, ALLEGRO_KEY_EQUALS}));
    EXPECT_EQ(KeyBindings().key(KeyBindings::Action::Back), ALLEGRO_KEY_S) << "no clash taken";
    EXPECT_EQ(KeyBindings(), french) << "a clashing layout changes nothing";
    KeyBindings::useLayout(layout(US));
    EXPECT_EQ(KeyBindings().key(KeyBindings::Action::Forward), ALLEGRO_KEY_W);
}
