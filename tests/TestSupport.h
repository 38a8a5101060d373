#pragma once

#include "core/EventListener.h"
#include "render/BitmapLock.h"

#include <allegro5/allegro.h>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

// Starts Allegro and the add-ons the tests draw and load with, once per process.
// No display is needed: bitmaps made without one are memory bitmaps.
void startAllegroForTests();

// A memory bitmap whose every pixel is paint(x, y).
ALLEGRO_BITMAP* makeBitmap(int width, int height,
                           const std::function<ALLEGRO_COLOR(int x, int y)>& paint);
// A memory bitmap of one colour, cleared in one call rather than painted pixel by pixel.
ALLEGRO_BITMAP* makeFilledBitmap(int width, int height, ALLEGRO_COLOR colour);

// A pixel as 8-bit channels, as a screen would show it. (Not Rgba: the asset generator,
// linked into the same test program, has a colour type of that name.)
struct Rgba8 {
    int r, g, b, a;
    bool operator==(const Rgba8& other) const {
        return r == other.r && g == other.g && b == other.b && a == other.a;
    }
    bool operator!=(const Rgba8& other) const { return !(*this == other); }
};
Rgba8 rgbaAt(ALLEGRO_BITMAP* bitmap, int x, int y);
std::ostream& operator<<(std::ostream& out, const Rgba8& colour);

// Makes the bitmap the target of drawing, as a locked frame the passes write must be.
ALLEGRO_BITMAP* asTarget(ALLEGRO_BITMAP* bitmap);

// A folder of its own for a test, made the working directory while the test runs, so
// that the game's relative paths ("assets/...") find exactly the files the test put there.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Copies the built assets, leaving out the named files (e.g. "footstep.wav").
    void copyAssetsExcept(const std::vector<std::string>& leftOut);
    const std::string& path() const { return folder; }

  private:
    std::string folder;
    std::string previous;
};

class Timer;

// Pretends the timer was started the given number of milliseconds before now.
void backdate(Timer& timer, double ms);

// Marks a key as held in a keyboard snapshot. Allegro offers no setter for its state
// record, so tests write the bit that al_key_down reads.
void holdKey(ALLEGRO_KEYBOARD_STATE& state, int keycode);

// A listener that writes down every event it is handed, and can run an action when
// it is called (to change the event system in the middle of a delivery).
class RecordingListener : public EventListener {
  public:
    explicit RecordingListener(std::string name, std::vector<std::string>* log = nullptr)
        : name(std::move(name)), log(log) {}

    void handleEvent(const Event& event) override;

    std::string name;
    std::vector<std::string>* log;
    std::vector<EventType> received;
    std::vector<int> moveStrafe, moveForward, mouseDeltas, soundIds, attackAmounts;
    std::function<void()> onEvent;
};
