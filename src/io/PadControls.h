#pragma once

#include "core/PadSettings.h"
#include "core/PadState.h"
#include "core/PlayerCommand.h"

// What a pad's readings ask of the game: its part of the frame's command in play, and
// its moves in the menus. Plain data in and out, so that the rules, the tests and a
// replay see the pad as the keyboard's peer; the pad itself is read by PadSystem.
class PadControls {
  public:
    // Back held this long leaves: saving, in play, as Escape does.
    static constexpr double QUIT_HOLD_MS = 1000.0;

    // The menus' moves from one reading: first presses only.
    struct MenuMoves {
        bool up = false;
        bool down = false;
        bool left = false;
        bool right = false;
        bool choose = false;  // South
        bool back = false;    // East
        bool start = false;   // Start
        bool options = false; // North
        bool quit = false;    // Back, held
    };

    // A new reading, taken at nowMs on any steady clock; the one before stays for what
    // was first pressed.
    void take(const PadState& state, double nowMs);
    // What was held before is no new press, and Back's hold starts again (after a pause,
    // or on entering a screen).
    void startAfresh();

    // Adds the pad's part to a command made from the keyboard and mouse: a step or turn of
    // the keys wins over the pad's, and the pad's presses join the keys'.
    void addTo(PlayerCommand& command, const PadSettings& settings) const;
    MenuMoves menuMoves() const;
    // The first button found pressed in this reading, or COUNT.
    PadBindings::Button pressedButton() const;

    // How far a stick axis is from rest, from -1 to 1, with the dead zone taken out and the
    // rest rescaled, so that the turn starts gently at the zone's edge.
    static double deflection(int32_t axis, int32_t deadZonePercent);
    // The right stick's turn in thousandths of a base turn, + left.
    static int16_t stickTurn(int32_t axisX, const PadSettings& settings);

  private:
    enum Direction { UP, DOWN, LEFT, RIGHT };
    // The d-pad, or the left stick past half way.
    static bool pointing(const PadState& state, Direction direction);
    bool pointed(Direction direction) const;
    bool down(PadBindings::Button button) const { return current.down(button); }
    bool pressed(PadBindings::Button button) const;

    PadState current;
    PadState previous;
    double nowMs = 0.0;
    double backDownSinceMs = -1.0; // -1 while Back is up
    bool backTapped = false;       // Back pressed briefly and let go in this reading
};
