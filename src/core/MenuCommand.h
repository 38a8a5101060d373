#pragma once

#include <cstdint>

// What the player asks of a screen in one frame (the main menu, the Options screen, the
// pause screen), read from the keys, the pad and the pointer once, as play's input is read
// into a PlayerCommand. Screens see only this, never a device. Presses are first presses.
struct MenuCommand {
    bool up = false; // W or Up, the d-pad or the left stick
    bool down = false;
    bool left = false; // Left, or the pad
    bool right = false;
    bool choose = false;     // Enter (without Alt), or South
    bool back = false;       // Escape, or East
    bool leave = false;      // Escape, or Back held a second
    bool start = false;      // Start on the pad
    bool pause = false;      // the Pause key
    bool options = false;    // O, or North
    bool fullscreen = false; // the full screen key, or Alt+Enter
    // The left button first pressed, at this place of the frame's own 600 by 400.
    bool click = false;
    int32_t clickX = 0;
    int32_t clickY = 0;
    // While a screen waits for a press to bind: any key (an Allegro key code, 0 for none)
    // and any pad button (a PadBindings::Button, -1 for none). Only Escape goes back then.
    int pressedKey = 0;
    int pressedButton = -1;
    bool padConnected = false; // a pad is in the player's hands: the screens name its buttons
};
