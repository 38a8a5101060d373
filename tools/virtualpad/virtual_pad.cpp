// A pad for the end-to-end tests, made through the kernel's uinput: it reports itself as
// a wired Xbox 360 pad, which SDL's mapping database knows, so the game sees it as any
// player's pad. It reads orders from standard input, one a line, and acts on each:
//   press BUTTON | release BUTTON    south, east, west, north, back, start, guide, lb, rb, ls, rs
//   axis NAME VALUE                   leftx, lefty, rightx, righty (-32768 to 32767), lt, rt
//                                     (0 to 255), hatx, haty (the d-pad: -1 to 1)
//   sleep MS
//   unplug
// At "unplug" or the end of its input the pad is pulled out; other words are passed over.
// Exit status 2: no /dev/uinput to make it with.
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <linux/uinput.h>
#include <string>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

namespace {

struct Name {
    const char* name;
    int code;
};

const Name BUTTONS[] = {{"south", BTN_SOUTH}, {"east", BTN_EAST},   {"west", BTN_WEST},
                        {"north", BTN_NORTH}, {"back", BTN_SELECT}, {"start", BTN_START},
                        {"guide", BTN_MODE},  {"lb", BTN_TL},       {"rb", BTN_TR},
                        {"ls", BTN_THUMBL},   {"rs", BTN_THUMBR}};
const Name AXES[] = {{"leftx", ABS_X}, {"lefty", ABS_Y}, {"rightx", ABS_RX},  {"righty", ABS_RY},
                     {"lt", ABS_Z},    {"rt", ABS_RZ},   {"hatx", ABS_HAT0X}, {"haty", ABS_HAT0Y}};

int find(const Name* names, std::size_t count, const std::string& name) {
    for (std::size_t i = 0; i < count; ++i) {
        if (name == names[i].name) {
            return names[i].code;
        }
    }
    return -1;
}

void emit(int fd, int type, int code, int value) {
    input_event event{};
    event.type = static_cast<unsigned short>(type);
    event.code = static_cast<unsigned short>(code);
    event.value = value;
    if (write(fd, &event, sizeof event) != sizeof event) {
        std::perror("virtual_pad: write");
    }
}

void sync(int fd) {
    emit(fd, EV_SYN, SYN_REPORT, 0);
}

void setUpAxis(int fd, int code, int low, int high) {
    uinput_abs_setup axis{};
    axis.code = static_cast<unsigned short>(code);
    axis.absinfo.minimum = low;
    axis.absinfo.maximum = high;
    ioctl(fd, UI_ABS_SETUP, &axis);
    ioctl(fd, UI_SET_ABSBIT, code);
}

} // namespace

int main() {
    const int fd = open("/dev/uinput", O_WRONLY | O_NONBLOCK);
    if (fd < 0) {
        std::perror("virtual_pad: /dev/uinput");
        return 2;
    }
    ioctl(fd, UI_SET_EVBIT, EV_KEY);
    ioctl(fd, UI_SET_EVBIT, EV_ABS);
    for (const Name& button : BUTTONS) {
        ioctl(fd, UI_SET_KEYBIT, button.code);
    }
    for (const Name& axis : AXES) {
        const bool trigger = axis.code == ABS_Z || axis.code == ABS_RZ;
        const bool hat = axis.code == ABS_HAT0X || axis.code == ABS_HAT0Y;
        setUpAxis(fd, axis.code, trigger ? 0 : hat ? -1 : -32768, trigger ? 255 : hat ? 1 : 32767);
    }
    uinput_setup setup{};
    setup.id.bustype = BUS_USB;
    setup.id.vendor = 0x045e; // a wired Xbox 360 pad
    setup.id.product = 0x028e;
    setup.id.version = 0x0114;
    std::strcpy(setup.name, "Duskmarch test pad");
    if (ioctl(fd, UI_DEV_SETUP, &setup) < 0 || ioctl(fd, UI_DEV_CREATE) < 0) {
        std::perror("virtual_pad: create");
        return 2;
    }
    std::string order, name;
    while (std::cin >> order) {
        if (order == "unplug") {
            break;
        }
        if (order == "sleep") {
            int ms = 0;
            std::cin >> ms;
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        } else if (order == "press" || order == "release") {
            std::cin >> name;
            const int code = find(BUTTONS, sizeof BUTTONS / sizeof BUTTONS[0], name);
            if (code >= 0) {
                emit(fd, EV_KEY, code, order == "press" ? 1 : 0);
                sync(fd);
            }
        } else if (order == "axis") {
            int value = 0;
            std::cin >> name >> value;
            const int code = find(AXES, sizeof AXES / sizeof AXES[0], name);
            if (code >= 0) {
                emit(fd, EV_ABS, code, value);
                sync(fd);
            }
        }
    }
    ioctl(fd, UI_DEV_DESTROY);
    close(fd);
    return 0;
}
