#include "core/PadBindings.h"

#include "core/SwappingSlots.h"

namespace {

using Button = PadBindings::Button;

struct ActionInfo {
    Button defaultButton;
    const char* settingName;
    const char* label;
};

// In Action's order.
const ActionInfo ACTIONS[] = {
    {Button::RightTrigger, "sword", "Sword"},
    {Button::North, "save", "Save"},
    {Button::West, "spawn", "Call a skull"},
    {Button::LeftTrigger, "run", "Run"},
    {Button::LeftShoulder, "slower", "Slower game"},
    {Button::RightShoulder, "faster", "Faster game"},
    {Button::Start, "pause", "Pause"},
    {Button::RightStick, "fullscreen", "Full screen"},
    {Button::East, "footstep", "Footstep"},
};
static_assert(sizeof ACTIONS / sizeof ACTIONS[0] == PadBindings::ACTION_COUNT,
              "one entry per action");

// In Button's order.
const char* const BUTTON_NAMES[] = {"south",
                                    "east",
                                    "west",
                                    "north",
                                    "back",
                                    "guide",
                                    "start",
                                    "left stick press",
                                    "right stick press",
                                    "left shoulder",
                                    "right shoulder",
                                    "d-pad up",
                                    "d-pad down",
                                    "d-pad left",
                                    "d-pad right",
                                    "left trigger",
                                    "right trigger"};
static_assert(sizeof BUTTON_NAMES / sizeof BUTTON_NAMES[0] == PadBindings::BUTTON_COUNT,
              "one name per button");

} // namespace

PadBindings::PadBindings() {
    for (int i = 0; i < ACTION_COUNT; ++i) {
        buttons[i] = ACTIONS[i].defaultButton;
    }
}

bool PadBindings::isKept(Button button) {
    return button == Button::Back || button == Button::Guide || button == Button::COUNT;
}

bool PadBindings::bind(Action action, Button button, Action& swappedWith) {
    swappedWith = Action::COUNT;
    if (isKept(button)) {
        return false;
    }
    const int swapped = SwappingSlots::give(buttons, index(action), button);
    if (swapped >= 0) {
        swappedWith = static_cast<Action>(swapped);
    }
    return true;
}

const char* PadBindings::settingName(Action action) {
    return ACTIONS[index(action)].settingName;
}

const char* PadBindings::label(Action action) {
    return ACTIONS[index(action)].label;
}

const char* PadBindings::buttonName(Button button) {
    const int i = static_cast<int>(button);
    return i >= 0 && i < BUTTON_COUNT ? BUTTON_NAMES[i] : "?";
}

PadBindings::Button PadBindings::buttonFromName(const std::string& name) {
    for (int i = 0; i < BUTTON_COUNT; ++i) {
        if (name == BUTTON_NAMES[i]) {
            return static_cast<Button>(i);
        }
    }
    return Button::COUNT;
}
