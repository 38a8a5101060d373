#include "game/OptionsMenu.h"

#include <algorithm>

namespace {

// The settings page, top to bottom.
enum SettingsRow : int32_t {
    TURNING,
    SENSITIVITY,
    EFFECTS,
    AMBIENCE,
    FLASH,
    CAPTIONS,
    FULLSCREEN,
    SCALING,
    FPS,
    KEYS,
    PAD,
    BACK,
    SETTINGS_ROWS
};
// The keys page: one row per action, then these.
const int32_t RESET_KEYS = KeyBindings::ACTION_COUNT;
const int32_t KEYS_BACK = RESET_KEYS + 1;
const int32_t KEYS_ROWS = KEYS_BACK + 1;
// The pad page: one row per pad action, then these.
enum PadRow : int32_t {
    PAD_SENSITIVITY = PadBindings::ACTION_COUNT,
    PAD_DEAD_ZONE,
    PAD_INVERT,
    PAD_RUMBLE,
    RESET_PAD,
    PAD_BACK,
    PAD_ROWS
};

// The next of count choices in the direction, wrapping round.
template <typename T> T cycle(T value, int count, int direction) {
    return static_cast<T>((static_cast<int>(value) + direction + count) % count);
}

int32_t step(int32_t value, int direction, int32_t low, int32_t high, int32_t by) {
    return std::clamp(value + direction * by, low, high);
}

std::string onOff(bool on) {
    return on ? "On" : "Off";
}

std::string percent(int32_t value) {
    return std::to_string(value) + "%";
}

// Enter or a click on a row.
bool chosen(const OptionsMenu::Input& input) {
    return input.enter || input.clickedRow >= 0;
}

// Left steps a value back; Right, Enter and a click step it forward.
int stepDirection(const OptionsMenu::Input& input) {
    return input.left ? -1 : (input.right || chosen(input)) ? +1 : 0;
}

// "Sword is now west; Call a skull takes right trigger.", without the second part when
// no other action had the input.
std::string reboundMessage(const char* action, const char* input, const char* swappedAction,
                           const char* swappedInput) {
    std::string message = std::string(action) + " is now " + input;
    if (swappedAction != nullptr) {
        message += "; " + std::string(swappedAction) + " takes " + swappedInput;
    }
    return message + ".";
}

std::string keptMessage(const char* input) {
    return std::string(input) + " is kept for itself: try another.";
}

} // namespace

bool OptionsMenu::apply(const Input& input) {
    if (waitingForKey) {
        if (input.escape) {
            waitingForKey = false;
            message = "Unchanged.";
        } else if (page == Page::Keys && input.pressedKey != 0) {
            takeKey(input.pressedKey);
        } else if (page == Page::Pad && input.pressedButton >= 0) {
            takePadButton(input.pressedButton);
        }
        return true;
    }
    if (input.clickedRow >= 0 && input.clickedRow < rowCount()) {
        selected = input.clickedRow;
    }
    if (input.up) {
        selected = (selected + rowCount() - 1) % rowCount();
    } else if (input.down) {
        selected = (selected + 1) % rowCount();
    }
    if (page == Page::Settings) {
        return applyOnSettingsPage(input);
    }
    if (page == Page::Keys) {
        applyOnKeysPage(input);
    } else {
        applyOnPadPage(input);
    }
    return true;
}

bool OptionsMenu::applyOnSettingsPage(const Input& input) {
    const bool choose = chosen(input);
    if (input.escape || (choose && selected == BACK)) {
        return false;
    }
    if (choose && (selected == KEYS || selected == PAD)) {
        page = selected == KEYS ? Page::Keys : Page::Pad;
        selected = 0;
        message.clear();
        return true;
    }
    const int direction = stepDirection(input);
    if (direction != 0) {
        change(selected, direction);
    }
    return true;
}

void OptionsMenu::applyOnKeysPage(const Input& input) {
    const bool choose = chosen(input);
    if (input.escape || (choose && selected == KEYS_BACK)) {
        leaveForSettings(KEYS);
        return;
    }
    if (!choose) {
        return;
    }
    if (selected == RESET_KEYS) {
        settings.keys = KeyBindings();
        message = "The keys are as they first were.";
        return;
    }
    waitingForKey = true;
    message.clear();
}

void OptionsMenu::applyOnPadPage(const Input& input) {
    const bool choose = chosen(input);
    if (input.escape || (choose && selected == PAD_BACK)) {
        leaveForSettings(PAD);
        return;
    }
    if (selected >= PadBindings::ACTION_COUNT && selected < RESET_PAD) {
        const int direction = stepDirection(input);
        if (direction != 0) {
            changePad(selected, direction);
        }
        return;
    }
    if (!choose) {
        return;
    }
    if (selected == RESET_PAD) {
        settings.pad = PadSettings();
        message = "The pad is as it first was.";
        return;
    }
    waitingForKey = true;
    message.clear();
}

void OptionsMenu::leaveForSettings(int32_t row) {
    page = Page::Settings;
    selected = row;
    message.clear();
}

void OptionsMenu::changePad(int32_t row, int direction) {
    PadSettings& pad = settings.pad;
    switch (row) {
    case PAD_SENSITIVITY:
        pad.sensitivity = step(pad.sensitivity, direction, PadSettings::SENSITIVITY_MIN,
                               PadSettings::SENSITIVITY_MAX, 1);
        break;
    case PAD_DEAD_ZONE:
        pad.deadZone = step(pad.deadZone, direction, PadSettings::DEAD_ZONE_MIN,
                            PadSettings::DEAD_ZONE_MAX, PadSettings::DEAD_ZONE_STEP);
        break;
    case PAD_INVERT:
        pad.invert = !pad.invert;
        break;
    case PAD_RUMBLE:
        pad.rumble = !pad.rumble;
        break;
    default:
        break;
    }
}

void OptionsMenu::change(int32_t row, int direction) {
    switch (row) {
    case TURNING:
        settings.turning = cycle(settings.turning, 2, direction);
        break;
    case SENSITIVITY:
        settings.sensitivity = step(settings.sensitivity, direction, Settings::SENSITIVITY_MIN,
                                    Settings::SENSITIVITY_MAX, 1);
        break;
    case EFFECTS:
        settings.effectsVolume =
            step(settings.effectsVolume, direction, 0, Settings::VOLUME_MAX, Settings::VOLUME_STEP);
        break;
    case AMBIENCE:
        settings.ambienceVolume = step(settings.ambienceVolume, direction, 0, Settings::VOLUME_MAX,
                                       Settings::VOLUME_STEP);
        break;
    case FLASH:
        settings.flash = cycle(settings.flash, 3, direction);
        break;
    case CAPTIONS:
        settings.captions = !settings.captions;
        break;
    case FULLSCREEN:
        settings.fullscreen = !settings.fullscreen;
        break;
    case SCALING:
        settings.scaling = cycle(settings.scaling, 2, direction);
        break;
    case FPS:
        settings.showFps = !settings.showFps;
        break;
    default:
        break;
    }
}

void OptionsMenu::takeKey(int keycode) {
    const auto action = static_cast<KeyBindings::Action>(selected);
    KeyBindings::Action swapped;
    if (!settings.keys.bind(action, keycode, swapped)) {
        message = keptMessage(KeyBindings::keyName(keycode));
        return; // still waiting
    }
    waitingForKey = false;
    const bool swap = swapped != KeyBindings::Action::COUNT;
    message = reboundMessage(KeyBindings::label(action), KeyBindings::keyName(keycode),
                             swap ? KeyBindings::label(swapped) : nullptr,
                             swap ? KeyBindings::keyName(settings.keys.key(swapped)) : nullptr);
}

void OptionsMenu::takePadButton(int index) {
    const auto button = static_cast<PadBindings::Button>(index);
    if (button == PadBindings::Button::Back) {
        waitingForKey = false; // Back leaves, on the pad as everywhere
        message = "Unchanged.";
        return;
    }
    const auto action = static_cast<PadBindings::Action>(selected);
    PadBindings::Action swapped;
    if (!settings.pad.buttons.bind(action, button, swapped)) {
        message = keptMessage(PadBindings::buttonName(button));
        return; // still waiting
    }
    waitingForKey = false;
    const PadBindings& buttons = settings.pad.buttons;
    const bool swap = swapped != PadBindings::Action::COUNT;
    message = reboundMessage(PadBindings::label(action), PadBindings::buttonName(button),
                             swap ? PadBindings::label(swapped) : nullptr,
                             swap ? PadBindings::buttonName(buttons.button(swapped)) : nullptr);
}

std::vector<OptionsMenu::Row> OptionsMenu::padRows() const {
    std::vector<Row> padRows;
    for (int i = 0; i < PadBindings::ACTION_COUNT; ++i) {
        const auto action = static_cast<PadBindings::Action>(i);
        const bool asking = waitingForKey && i == selected;
        padRows.push_back(
            {PadBindings::label(action),
             asking ? "..." : PadBindings::buttonName(settings.pad.buttons.button(action))});
    }
    const PadSettings& pad = settings.pad;
    padRows.push_back({"Turning sensitivity", std::to_string(pad.sensitivity)});
    padRows.push_back({"Dead zone", percent(pad.deadZone)});
    padRows.push_back({"Invert turning", onOff(pad.invert)});
    padRows.push_back({"Rumble", onOff(pad.rumble)});
    padRows.push_back({"Reset pad", ""});
    padRows.push_back({"Back", ""});
    return padRows;
}

std::vector<OptionsMenu::Row> OptionsMenu::rows() const {
    if (page == Page::Pad) {
        return padRows();
    }
    if (page == Page::Keys) {
        std::vector<Row> keyRows;
        for (int i = 0; i < KeyBindings::ACTION_COUNT; ++i) {
            const auto action = static_cast<KeyBindings::Action>(i);
            const bool asking = waitingForKey && i == selected;
            keyRows.push_back({KeyBindings::label(action),
                               asking ? "..." : KeyBindings::keyName(settings.keys.key(action))});
        }
        keyRows.push_back({"Reset keys", ""});
        keyRows.push_back({"Back", ""});
        return keyRows;
    }
    const char* turning = settings.turning == Settings::Turning::Smooth ? "Smooth" : "Classic";
    const char* flash = settings.flash == Settings::Flash::Full      ? "Full"
                        : settings.flash == Settings::Flash::Reduced ? "Reduced"
                                                                     : "Off";
    const char* scaling = settings.scaling == Settings::Scaling::Fill ? "Fill" : "Whole";
    return {{"Turning", turning},
            {"Smooth turning sensitivity", std::to_string(settings.sensitivity)},
            {"Effects volume", percent(settings.effectsVolume)},
            {"Ambience volume", percent(settings.ambienceVolume)},
            {"Damage flash", flash},
            {"Captions", onOff(settings.captions)},
            {"Full screen", onOff(settings.fullscreen)},
            {"Full screen scaling", scaling},
            {"Frames per second", onOff(settings.showFps)},
            {"Keys", ""},
            {"Pad", ""},
            {"Back", ""}};
}

std::string OptionsMenu::title() const {
    return page == Page::Keys ? "Keys" : page == Page::Pad ? "Pad" : "Options";
}

std::string OptionsMenu::hint() const {
    if (waitingForKey) {
        const char* ask = page == Page::Pad
                              ? "Press the new button; Back or Escape leaves it as it is."
                              : "Press the new key; Escape leaves it as it is.";
        return message.empty() ? ask : message;
    }
    if (!message.empty()) {
        return message;
    }
    switch (page) {
    case Page::Keys:
        return "Enter, then the new key. Escape goes back.";
    case Page::Pad:
        return "Enter or South, then the new button. Escape or East go back.";
    default:
        return "Up and Down choose, Left and Right change, Escape goes back.";
    }
}

int32_t OptionsMenu::rowCount() const {
    if (page == Page::Keys) {
        return KEYS_ROWS;
    }
    return page == Page::Pad ? static_cast<int32_t>(PAD_ROWS) : static_cast<int32_t>(SETTINGS_ROWS);
}
