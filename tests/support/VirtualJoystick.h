// A pad in the common layout made through SDL's virtual joysticks, for the unit tests and
// for the pad preloaded into the real game: SDL maps a virtual game controller's buttons
// and axes in its own order (SDL_GameControllerButton, SDL_GameControllerAxis), so the
// game reads it through the same mapping layer as a pad in the hands.
#pragma once

#include <SDL2/SDL.h>

namespace virtual_joystick {

using Rumble = int (*)(void* userdata, Uint16 low, Uint16 high);

// The opened joystick, or null with SDL_GetError() saying why.
inline SDL_Joystick* attach(const char* name, void* userdata, Rumble rumble) {
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
    desc.name = name;
    desc.userdata = userdata;
    desc.Rumble = rumble;
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    return index >= 0 ? SDL_JoystickOpen(index) : nullptr;
}

// Closed and pulled out, as a pad unplugged; the pointer is left null.
inline void detach(SDL_Joystick*& joystick) {
    if (joystick == nullptr) {
        return;
    }
    const SDL_JoystickID instance = SDL_JoystickInstanceID(joystick);
    SDL_JoystickClose(joystick);
    joystick = nullptr;
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (SDL_JoystickGetDeviceInstanceID(index) == instance) {
            SDL_JoystickDetachVirtual(index);
        }
    }
}

} // namespace virtual_joystick
