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
    BACK,
    SETTINGS_ROWS
};
// The keys page: one row per action, then these.
const int32_t RESET_KEYS = KeyBindings::ACTION_COUNT;
const int32_t KEYS_BACK = RESET_KEYS + 1;
const int32_t KEYS_ROWS = KEYS_BACK + 1;

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

} // namespace

bool OptionsMenu::apply(const Input& input) {
    if (waitingForKey) {
        if (input.escape) {
            waitingForKey = false;
            message = "Unchanged.";
        } else if (input.pressedKey != 0) {
            takeKey(input.pressedKey);
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
    applyOnKeysPage(input);
    return true;
}

bool OptionsMenu::applyOnSettingsPage(const Input& input) {
    const bool choose = input.enter || input.clickedRow >= 0;
    if (input.escape || (choose && selected == BACK)) {
        return false;
    }
    if (choose && selected == KEYS) {
        page = Page::Keys;
        selected = 0;
        message.clear();
        return true;
    }
    // Enter and a click step a value forward, as Right does.
    const int direction = input.left ? -1 : (input.right || choose) ? +1 : 0;
    if (direction != 0) {
        change(selected, direction);
    }
    return true;
}

void OptionsMenu::applyOnKeysPage(const Input& input) {
    const bool choose = input.enter || input.clickedRow >= 0;
    if (input.escape || (choose && selected == KEYS_BACK)) {
        page = Page::Settings;
        selected = KEYS;
        message.clear();
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
        message = std::string(KeyBindings::keyName(keycode)) + " is kept for itself: try another.";
        return; // still waiting
    }
    waitingForKey = false;
    message = std::string(KeyBindings::label(action)) + " is now " + KeyBindings::keyName(keycode);
    if (swapped != KeyBindings::Action::COUNT) {
        message += "; " + std::string(KeyBindings::label(swapped)) + " takes " +
                   KeyBindings::keyName(settings.keys.key(swapped));
    }
    message += ".";
}

std::vector<OptionsMenu::Row> OptionsMenu::rows() const {
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
            {"Back", ""}};
}

std::string OptionsMenu::title() const {
    return page == Page::Keys ? "Keys" : "Options";
}

std::string OptionsMenu::hint() const {
    if (waitingForKey) {
        return message.empty() ? "Press the new key; Escape leaves it as it is." : message;
    }
    if (!message.empty()) {
        return message;
    }
    return page == Page::Keys ? "Enter, then the new key. Escape goes back."
                              : "Up and Down choose, Left and Right change, Escape goes back.";
}

int32_t OptionsMenu::rowCount() const {
    return page == Page::Keys ? KEYS_ROWS : SETTINGS_ROWS;
}
