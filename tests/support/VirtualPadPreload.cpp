// Preloaded into the real game by the pad's end-to-end test where the kernel cannot make a
// pad (no /dev/uinput): a pad attached through SDL's virtual joysticks inside the game's
// own process, so that SDL's mapping layer and every line of the game's pad code run as
// with a pad in the hands. It takes orders from the FIFO named by DUSKMARCH_PAD_ORDERS,
// one a line, each time the game polls SDL's events, and says on standard error when it
// is plugged in, pulled out, and told to rumble:
//   plug | unplug
//   press BUTTON | release BUTTON    south, east, west, north, back, start, guide, lb, rb,
//                                    ls, rs, up, down, left, right
//   axis NAME VALUE                  leftx, lefty, rightx, righty, lt, rt (-32768 to 32767)
#include "VirtualJoystick.h"

#include <SDL2/SDL.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

struct Name {
    const char* name;
    int index;
};

const Name BUTTONS[] = {
    {"south", SDL_CONTROLLER_BUTTON_A},          {"east", SDL_CONTROLLER_BUTTON_B},
    {"west", SDL_CONTROLLER_BUTTON_X},           {"north", SDL_CONTROLLER_BUTTON_Y},
    {"back", SDL_CONTROLLER_BUTTON_BACK},        {"guide", SDL_CONTROLLER_BUTTON_GUIDE},
    {"start", SDL_CONTROLLER_BUTTON_START},      {"ls", SDL_CONTROLLER_BUTTON_LEFTSTICK},
    {"rs", SDL_CONTROLLER_BUTTON_RIGHTSTICK},    {"lb", SDL_CONTROLLER_BUTTON_LEFTSHOULDER},
    {"rb", SDL_CONTROLLER_BUTTON_RIGHTSHOULDER}, {"up", SDL_CONTROLLER_BUTTON_DPAD_UP},
    {"down", SDL_CONTROLLER_BUTTON_DPAD_DOWN},   {"left", SDL_CONTROLLER_BUTTON_DPAD_LEFT},
    {"right", SDL_CONTROLLER_BUTTON_DPAD_RIGHT}};
const Name AXES[] = {
    {"leftx", SDL_CONTROLLER_AXIS_LEFTX},    {"lefty", SDL_CONTROLLER_AXIS_LEFTY},
    {"rightx", SDL_CONTROLLER_AXIS_RIGHTX},  {"righty", SDL_CONTROLLER_AXIS_RIGHTY},
    {"lt", SDL_CONTROLLER_AXIS_TRIGGERLEFT}, {"rt", SDL_CONTROLLER_AXIS_TRIGGERRIGHT}};

template <std::size_t N> int find(const Name (&names)[N], const char* name) {
    for (const Name& entry : names) {
        if (std::strcmp(entry.name, name) == 0) {
            return entry.index;
        }
    }
    return -1;
}

int orders = -1;
std::string pending;
SDL_Joystick* pad = nullptr;

void plug() {
    if (pad != nullptr) {
        return;
    }
    pad =
        virtual_joystick::attach("Duskmarch test pad", nullptr, [](void*, Uint16 low, Uint16 high) {
            std::fprintf(stderr, "test pad: rumble %u %u\n", low, high);
            return 0;
        });
    std::fprintf(stderr, "test pad: %s\n", pad != nullptr ? "plugged in" : SDL_GetError());
    if (pad != nullptr) {
        // Triggers rest at their lowest, which SDL reads as 0.
        SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT, INT16_MIN);
        SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, INT16_MIN);
    }
}

void unplug() {
    if (pad == nullptr) {
        return;
    }
    virtual_joystick::detach(pad);
    std::fprintf(stderr, "test pad: pulled out\n");
}

void obey(const std::string& line) {
    char order[16] = {}, name[16] = {};
    int value = 0;
    const int words = std::sscanf(line.c_str(), "%15s %15s %d", order, name, &value);
    if (words >= 1 && std::strcmp(order, "plug") == 0) {
        plug();
    } else if (words >= 1 && std::strcmp(order, "unplug") == 0) {
        unplug();
    } else if (pad != nullptr && words == 2 && find(BUTTONS, name) >= 0) {
        SDL_JoystickSetVirtualButton(pad, find(BUTTONS, name),
                                     std::strcmp(order, "press") == 0 ? 1 : 0);
    } else if (pad != nullptr && words == 3 && find(AXES, name) >= 0) {
        SDL_JoystickSetVirtualAxis(pad, find(AXES, name), static_cast<Sint16>(value));
    }
}

void takeOrders() {
    if (orders < 0) {
        const char* path = std::getenv("DUSKMARCH_PAD_ORDERS");
        orders = path != nullptr ? open(path, O_RDONLY | O_NONBLOCK) : -1;
        if (orders < 0) {
            return;
        }
    }
    char buffer[256];
    ssize_t got;
    while ((got = read(orders, buffer, sizeof buffer)) > 0) {
        pending.append(buffer, static_cast<std::size_t>(got));
    }
    std::size_t end;
    while ((end = pending.find('\n')) != std::string::npos) {
        obey(pending.substr(0, end));
        pending.erase(0, end + 1);
    }
}

} // namespace

extern "C" int SDL_PollEvent(SDL_Event* event) {
    using Poll = int (*)(SDL_Event*);
    static const Poll realPoll = reinterpret_cast<Poll>(dlsym(RTLD_NEXT, "SDL_PollEvent"));
    takeOrders();
    return realPoll(event);
}
