#pragma once

// What happened to the window since it was last asked: its close button, and the
// keyboard focus leaving it or coming back.
struct WindowEvents {
    bool closeRequested = false;
    bool focusLost = false;
    bool focusGained = false;
};
