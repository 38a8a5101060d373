#pragma once

#include "core/PadState.h"
#include "core/Trackable.h"

#include <cstdint>
#include <string>

struct _SDL_GameController;

// The pad, through SDL's game controller API, whose mapping database names the buttons of
// the common pads in one layout. One pad is used at a time: the first plugged in, taken
// up as soon as it is; when it is unplugged, the next one there is. Without SDL's
// support or without a pad, every reading is a pad at rest that is not connected.
class PadSystem : public Trackable {
  public:
    PadSystem() = default;
    ~PadSystem();
    PadSystem(const PadSystem&) = delete;
    PadSystem& operator=(const PadSystem&) = delete;

    // Starts SDL's game controller support. False, with the reason, when it cannot.
    bool init(std::string& reason);
    // Takes up pads plugged in, lets go of one unplugged, and reads the pad in use.
    PadState read();
    bool connected() const { return controller != nullptr; }
    // True once after the pad in use was unplugged.
    bool takeUnplugged();
    // The pad in use, by the name SDL knows it by; empty without one.
    std::string name() const;
    // A short rumble, strength from 0 to 1, where the pad has a motor.
    void rumble(double strength, uint32_t milliseconds);

  private:
    void takeEvents();
    void openFirst();
    void close();

    _SDL_GameController* controller = nullptr;
    int32_t instance = -1;
    bool started = false;
    bool unplugged = false;
};
