// The pad through SDL's own game controller layer, with a virtual pad attached in this
// process (no /dev/uinput here): plugging and unplugging, the frame's command its sticks
// and buttons make beside the keyboard's, the menus' moves, and the rumble it is sent.
#include "TestSupport.h"

#include "io/InputSystem.h"
#include "io/PadSystem.h"
#include "support/VirtualJoystick.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

namespace {

// A pad in the common layout, as a driver would report it: every button and axis SDL
// names, and a motor whose last order is kept.
class VirtualPad {
  public:
    VirtualPad() { plugIn(); }
    ~VirtualPad() { unplug(); }
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    void plugIn() {
        joystick =
            virtual_joystick::attach("Virtual pad", this, [](void* self, Uint16 low, Uint16 high) {
                static_cast<VirtualPad*>(self)->rumbled = {low, high};
                return 0;
            });
        ASSERT_NE(joystick, nullptr) << SDL_GetError();
    }

    void unplug() { virtual_joystick::detach(joystick); }

    void button(SDL_GameControllerButton which, bool down) {
        SDL_JoystickSetVirtualButton(joystick, which, down ? 1 : 0);
    }
    void axis(SDL_GameControllerAxis which, int16_t value) {
        SDL_JoystickSetVirtualAxis(joystick, which, value);
    }
    void rest() {
        for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b) {
            button(static_cast<SDL_GameControllerButton>(b), false);
        }
        for (int a = 0; a < SDL_CONTROLLER_AXIS_MAX; ++a) {
            // Triggers rest at their lowest, which SDL maps to 0.
            const bool trigger = a >= SDL_CONTROLLER_AXIS_TRIGGERLEFT;
            axis(static_cast<SDL_GameControllerAxis>(a), trigger ? INT16_MIN : 0);
        }
    }

    std::pair<Uint16, Uint16> rumbled{0, 0};

  private:
    SDL_Joystick* joystick = nullptr;
};

class PadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string reason;
        ASSERT_TRUE(pads->init(reason)) << reason;
        input.createSnapshots();
        input.pads = pads; // the input system owns it from here
    }

    // One frame's reading of the keys held and the pad as it stands.
    PlayerCommand frame(std::initializer_list<int> keysHeld = {}) {
        *input.currentKeyboard = ALLEGRO_KEYBOARD_STATE();
        for (int key : keysHeld) {
            holdKey(*input.currentKeyboard, key);
        }
        input.currentMouse->x = 300;
        return input.readCommand(300);
    }

    EventSystem events;
    InputSystem input{&events};
    PadSystem* pads = new PadSystem();
};

TEST_F(PadTest, APadIsTakenUpWhenPluggedInAndItsGoingIsToldOnce) {
    EXPECT_FALSE(pads->read().connected) << "no pad yet";
    {
        VirtualPad pad;
        EXPECT_TRUE(pads->read().connected) << "taken up at the next reading";
        EXPECT_EQ(pads->name(), "Virtual pad");
        EXPECT_FALSE(pads->takeUnplugged());
        pad.unplug();
        EXPECT_FALSE(pads->read().connected);
        EXPECT_TRUE(pads->takeUnplugged());
        EXPECT_FALSE(pads->takeUnplugged()) << "told once";
        pad.plugIn();
        EXPECT_TRUE(pads->read().connected) << "and taken up again";
    }
    VirtualPad first;
    pads->read();
    VirtualPad second;
    first.unplug();
    EXPECT_TRUE(pads->read().connected) << "the other pad takes over";
    EXPECT_TRUE(pads->takeUnplugged()) << "but the one in the hands went";
}

TEST_F(PadTest, TheSticksWalkAndTurnOutsideTheDeadZoneOnly) {
    VirtualPad pad;
    pad.rest();
    EXPECT_EQ(frame(), PlayerCommand()) << "a pad at rest asks nothing";
    pad.axis(SDL_CONTROLLER_AXIS_LEFTY, -32768);
    pad.axis(SDL_CONTROLLER_AXIS_LEFTX, 6000); // inside the 20% dead zone
    PlayerCommand command = frame();
    EXPECT_EQ(command.forward, 1);
    EXPECT_EQ(command.strafe, 0);
    pad.axis(SDL_CONTROLLER_AXIS_LEFTX, 7000); // just outside it
    EXPECT_EQ(frame().strafe, 1);
    EXPECT_EQ(frame({ALLEGRO_KEY_S}).forward, -1) << "the keys win over the stick";

    pad.axis(SDL_CONTROLLER_AXIS_RIGHTX, 32767);
    EXPECT_EQ(frame().stickTurn, -1000) << "right, at the keys' own speed";
    pad.axis(SDL_CONTROLLER_AXIS_RIGHTX, -19661); // 60% left: half way past the zone
    EXPECT_EQ(frame().stickTurn, 500);
    input.pad.sensitivity = 10;
    EXPECT_EQ(frame().stickTurn, 1000);
    input.pad.invert = true;
    EXPECT_EQ(frame().stickTurn, -1000);
    input.pad.deadZone = 50;
    pad.axis(SDL_CONTROLLER_AXIS_RIGHTX, -16000);
    EXPECT_EQ(frame().stickTurn, 0) << "inside the wider zone";
}

TEST_F(PadTest, ButtonsActOncePerPressAndFollowTheirBindings) {
    VirtualPad pad;
    pad.rest();
    frame();
    pad.axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    pad.button(SDL_CONTROLLER_BUTTON_START, true);
    pad.axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767);
    PlayerCommand command = frame();
    EXPECT_TRUE(command.sword);
    EXPECT_TRUE(command.pause);
    EXPECT_TRUE(command.run);
    command = frame();
    EXPECT_FALSE(command.sword) << "once per press";
    EXPECT_FALSE(command.pause);
    EXPECT_TRUE(command.run) << "running while held";

    PadBindings::Action swapped;
    ASSERT_TRUE(
        input.pad.buttons.bind(PadBindings::Action::Sword, PadBindings::Button::South, swapped));
    pad.rest();
    frame();
    pad.axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    EXPECT_FALSE(frame().sword) << "the trigger gave up the sword";
    pad.button(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_TRUE(frame().sword) << "South has it";

    pad.button(SDL_CONTROLLER_BUTTON_B, true); // the footstep, held
    EXPECT_TRUE(frame().footstep);
    pad.button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    command = frame();
    EXPECT_EQ(command.strafe, -1);
    EXPECT_FALSE(command.footstep) << "silent while stepping aside, as the key is";
}

TEST_F(PadTest, BackHeldASecondLeavesAndTheMenusMoveByDpadOrStick) {
    VirtualPad pad;
    pad.rest();
    input.readPad();
    // Back pressed briefly opens the map, once, as it is let go.
    pad.button(SDL_CONTROLLER_BUTTON_BACK, true);
    EXPECT_FALSE(frame().map);
    pad.button(SDL_CONTROLLER_BUTTON_BACK, false);
    EXPECT_TRUE(frame().map) << "a short press of Back is the map";
    EXPECT_FALSE(frame().map) << "once";
    input.readPad();
    pad.button(SDL_CONTROLLER_BUTTON_BACK, true);
    input.readPad();
    EXPECT_FALSE(input.padMoves().quit) << "a press is not a hold";
    SDL_Delay(static_cast<Uint32>(PadControls::QUIT_HOLD_MS) + 50);
    input.readPad();
    EXPECT_TRUE(input.padMoves().quit);
    EXPECT_TRUE(frame().quit) << "in play too";
    pad.button(SDL_CONTROLLER_BUTTON_BACK, false);
    EXPECT_FALSE(frame().map) << "letting go of a hold is no map";
    input.readPad();
    EXPECT_FALSE(input.padMoves().quit);

    pad.button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
    input.readPad();
    EXPECT_TRUE(input.padMoves().down);
    input.readPad();
    EXPECT_FALSE(input.padMoves().down) << "one move per press";
    pad.button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, false);
    pad.axis(SDL_CONTROLLER_AXIS_LEFTY, -20000); // the stick, past half way up
    pad.button(SDL_CONTROLLER_BUTTON_A, true);
    pad.button(SDL_CONTROLLER_BUTTON_B, true);
    input.readPad();
    PadControls::MenuMoves moves = input.padMoves();
    EXPECT_TRUE(moves.up);
    EXPECT_TRUE(moves.choose);
    EXPECT_TRUE(moves.back);
    EXPECT_EQ(input.padButtonPressed(), PadBindings::Button::South) << "the first of them";
    pad.button(SDL_CONTROLLER_BUTTON_Y, true);
    input.startAfresh();
    input.readPad();
    EXPECT_FALSE(input.padMoves().options) << "held through a pause, it is no new press";
}

TEST_F(PadTest, ABlowRumblesThePadOnlyWhenThePlayerWantsIt) {
    VirtualPad pad;
    input.readPad();
    input.rumble(0.75, 180);
    EXPECT_EQ(pad.rumbled.first, 49151);
    EXPECT_EQ(pad.rumbled.second, 49151);
    pad.rumbled = {0, 0};
    input.pad.rumble = false;
    input.rumble(0.75, 180);
    EXPECT_EQ(pad.rumbled.first, 0);
}

} // namespace
