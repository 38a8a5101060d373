#pragma once

#include "core/Trackable.h"

#include <allegro5/allegro.h>
#include <cstdint>

// The game's one window.
class DisplaySystem : public Trackable {
  public:
    DisplaySystem() = default;
    ~DisplaySystem();
    DisplaySystem(const DisplaySystem&) = delete;
    DisplaySystem& operator=(const DisplaySystem&) = delete;

    // Opens the OpenGL window with its title and the pointer shown; false if it cannot.
    bool create(int32_t windowWidth, int32_t windowHeight, const char* title);
    // True once the window's close button has been pressed since the last call.
    bool closeRequested();

    ALLEGRO_DISPLAY* display = nullptr;
    int32_t width = 0;
    int32_t height = 0;

  private:
    // Only the window's own events arrive here; keys and mouse are polled as state.
    ALLEGRO_EVENT_QUEUE* windowEvents = nullptr;
};
