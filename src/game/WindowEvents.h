#pragma once

#include <allegro5/allegro.h>

// What happened to the window since it was last asked: its close button, and the
// keyboard focus leaving it or coming back.
struct WindowEvents {
    bool closeRequested = false;
    bool focusLost = false;
    bool focusGained = false;

    // Folds in one more of the window's events, in the order they came: of the focus
    // leaving and coming back, the later one is what holds now.
    void note(ALLEGRO_EVENT_TYPE type) {
        switch (type) {
        case ALLEGRO_EVENT_DISPLAY_CLOSE:
            closeRequested = true;
            break;
        case ALLEGRO_EVENT_DISPLAY_SWITCH_OUT:
            focusLost = true;
            focusGained = false;
            break;
        case ALLEGRO_EVENT_DISPLAY_SWITCH_IN:
            focusGained = true;
            focusLost = false;
            break;
        default:
            break; // keys only wake a wait; their state is polled
        }
    }
};
