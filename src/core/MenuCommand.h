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
    bool levels = false;     // L: the list of levels
    // The list's and the editor's keys, first pressed: a letter ('a' to 'z', as placed on
    // a US board; 0 for none) with Ctrl held or not, a digit (-1 for none), and the keys
    // that have no letter.
    char letter = 0;
    bool ctrl = false;
    int digit = -1;
    bool space = false;
    bool backspace = false;
    bool remove = false;  // Delete
    bool playNow = false; // F5
    // Text typed this frame, as the keys and Shift make it: printable ASCII only.
    char typed[8] = {};
    // The pointer, wherever it is, in the frame's pixels, and its buttons held.
    int32_t pointerX = 0;
    int32_t pointerY = 0;
    bool leftHeld = false;
    bool rightHeld = false;
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
