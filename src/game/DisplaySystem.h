#pragma once

#include "core/Trackable.h"
#include "game/FrameScale.h"
#include "game/WindowEvents.h"

#include <allegro5/allegro.h>
#include <cstdint>

// The game's one window. Frames are always drawn at width by height; in the window they
// go straight to the back buffer, and filling the screen they are drawn into a bitmap of
// that size first and shown magnified by a whole number, without blur.
class DisplaySystem : public Trackable {
  public:
    DisplaySystem() = default;
    ~DisplaySystem();
    DisplaySystem(const DisplaySystem&) = delete;
    DisplaySystem& operator=(const DisplaySystem&) = delete;

    // Opens the OpenGL window with its title and the pointer shown; false if it cannot.
    bool create(int32_t windowWidth, int32_t windowHeight, const char* title);
    // The picture desktops show for the window; none when the file cannot be loaded.
    void setIcon(const char* path);
    // Key presses and the mouse wake waitForEvents too, once they are installed.
    void listenToInput();
    // True once the window's close button has been pressed since the last call.
    bool closeRequested();
    // Everything the window has been through since the last call.
    WindowEvents readEvents();
    // Sleeps until the window or the keyboard has news, or for at most the given time.
    void waitForEvents(double seconds);

    // Between the window and a window filling the desktop; false, with the game still in
    // its window, when the desktop does not let the window grow.
    bool setFullscreen(bool on);
    bool fullscreen() const { return isFullscreen; }
    // F11's switch: to the other mode, saying once on the console when the desktop keeps
    // the window from filling the screen.
    void switchFullscreen();

    // The mouse pointer: free and shown in the menu and while paused, hidden in play, where
    // it is put back at the frame's centre, from which turning measures its travel.
    void showPointer();
    void hidePointer();
    void centrePointer();
    // A point of the window, such as the pointer's, in the frame's own pixels, wherever
    // the frame is shown magnified.
    void toFrame(int32_t& x, int32_t& y) const;
    // Makes the frame the target of drawing, then shows what was drawn into it.
    void beginFrame();
    void showFrame();
    // The same for a frame kept to be shown again and again, such as the pause screen:
    // it is drawn once into a bitmap of its own, and each showing only copies it.
    void beginKeptFrame();
    void showKeptFrame();

    ALLEGRO_DISPLAY* display = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    // Filling the screen: magnified by a whole number and kept crisp (false), or filling
    // as much as the frame's shape allows (true), magnified by the whole number first and
    // then smoothed to size, so that no pixel comes out wider than its neighbour.
    bool fillScreen = false;

  private:
    bool magnified() const;
    bool sizeIs(int32_t expectedWidth, int32_t expectedHeight) const;
    bool awaitSize(bool growing);
    ALLEGRO_BITMAP* frameBitmap(ALLEGRO_BITMAP*& bitmap);
    FrameScale shownScale() const;
    void present(ALLEGRO_BITMAP* bitmap);
    ALLEGRO_BITMAP* magnify(ALLEGRO_BITMAP* bitmap, int32_t factor);

    // Only the window's own events and the keys arrive here; keys are polled as state.
    ALLEGRO_EVENT_QUEUE* windowEvents = nullptr;
    // The frame while it is shown magnified; made the first time it is needed.
    ALLEGRO_BITMAP* frame = nullptr;
    ALLEGRO_BITMAP* kept = nullptr;
    // The frame magnified by a whole number, on its way to filling the screen.
    ALLEGRO_BITMAP* magnifiedFrame = nullptr;
    bool isFullscreen = false;
    bool fullscreenRefusalSaid = false;
};
