#include "io/PadSystem.h"

#include <SDL2/SDL.h>
#include <algorithm>

namespace {

// PadBindings' buttons in their order, as SDL names them; the triggers are axes.
const SDL_GameControllerButton SDL_BUTTONS[] = {SDL_CONTROLLER_BUTTON_A,
                                                SDL_CONTROLLER_BUTTON_B,
                                                SDL_CONTROLLER_BUTTON_X,
                                                SDL_CONTROLLER_BUTTON_Y,
                                                SDL_CONTROLLER_BUTTON_BACK,
                                                SDL_CONTROLLER_BUTTON_GUIDE,
                                                SDL_CONTROLLER_BUTTON_START,
                                                SDL_CONTROLLER_BUTTON_LEFTSTICK,
                                                SDL_CONTROLLER_BUTTON_RIGHTSTICK,
                                                SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
                                                SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
                                                SDL_CONTROLLER_BUTTON_DPAD_UP,
                                                SDL_CONTROLLER_BUTTON_DPAD_DOWN,
                                                SDL_CONTROLLER_BUTTON_DPAD_LEFT,
                                                SDL_CONTROLLER_BUTTON_DPAD_RIGHT};
const int FIRST_TRIGGER = static_cast<int>(PadBindings::Button::LeftTrigger);
static_assert(sizeof SDL_BUTTONS / sizeof SDL_BUTTONS[0] == FIRST_TRIGGER,
              "every button but the triggers");

// A trigger counts as pressed past half its travel.
const int32_t TRIGGER_PRESSED = PadState::AXIS_MAX / 2;

} // namespace

PadSystem::~PadSystem() {
    close();
    if (started) {
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
        SDL_Quit();
    }
}

bool PadSystem::init(std::string& reason) {
    // The game's window is Allegro's, not SDL's: SDL must not hold back a pad's input for
    // want of a focused window of its own.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    // Nor may it take SIGINT and SIGTERM for itself: they end the game as they always did.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        reason = SDL_GetError();
        return false;
    }
    started = true;
    openFirst();
    return true;
}

PadState PadSystem::read() {
    PadState state;
    if (!started) {
        return state;
    }
    takeEvents();
    if (controller == nullptr) {
        return state;
    }
    state.connected = true;
    for (int i = 0; i < FIRST_TRIGGER; ++i) {
        state.buttons[static_cast<std::size_t>(i)] =
            SDL_GameControllerGetButton(controller, SDL_BUTTONS[i]) != 0;
    }
    const auto axis = [this](SDL_GameControllerAxis which) {
        return static_cast<int32_t>(SDL_GameControllerGetAxis(controller, which));
    };
    state.buttons[static_cast<std::size_t>(FIRST_TRIGGER)] =
        axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT) > TRIGGER_PRESSED;
    state.buttons[static_cast<std::size_t>(FIRST_TRIGGER) + 1] =
        axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT) > TRIGGER_PRESSED;
    state.leftX = axis(SDL_CONTROLLER_AXIS_LEFTX);
    state.leftY = axis(SDL_CONTROLLER_AXIS_LEFTY);
    state.rightX = axis(SDL_CONTROLLER_AXIS_RIGHTX);
    return state;
}

bool PadSystem::takeUnplugged() {
    const bool was = unplugged;
    unplugged = false;
    return was;
}

std::string PadSystem::name() const {
    const char* name = controller != nullptr ? SDL_GameControllerName(controller) : nullptr;
    return name != nullptr ? name : "";
}

void PadSystem::rumble(double strength, uint32_t milliseconds) {
    if (controller == nullptr) {
        return;
    }
    const auto level = static_cast<Uint16>(std::clamp(strength, 0.0, 1.0) * 0xFFFF);
    SDL_GameControllerRumble(controller, level, level, milliseconds); // no motor: nothing
}

// Only the pads' own events come: SDL's video, and so its window events, are not started.
void PadSystem::takeEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        if (event.type == SDL_CONTROLLERDEVICEADDED && controller == nullptr) {
            openFirst();
        } else if (event.type == SDL_CONTROLLERDEVICEREMOVED && event.cdevice.which == instance) {
            close();
            unplugged = true;
            openFirst();
        }
    }
}

void PadSystem::openFirst() {
    for (int index = 0; index < SDL_NumJoysticks() && controller == nullptr; ++index) {
        if (SDL_IsGameController(index)) {
            controller = SDL_GameControllerOpen(index);
        }
    }
    if (controller != nullptr) {
        instance = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    }
}

void PadSystem::close() {
    if (controller != nullptr) {
        SDL_GameControllerClose(controller);
    }
    controller = nullptr;
    instance = -1;
}
