#include "screens/OptionsMenu.h"

#include <algorithm>

namespace {

// The table's settings shown on a page, top to bottom.
std::vector<const Settings::Entry*> entriesOn(Settings::Page page) {
    std::vector<const Settings::Entry*> entries;
    for (const Settings::Entry& entry : Settings::table()) {
        if (entry.page == page) {
            entries.push_back(&entry);
        }
    }
    return entries;
}

int32_t settingsRowCount() {
    return static_cast<int32_t>(entriesOn(Settings::Page::Settings).size());
}

// The settings page: the table's settings, then these.
int32_t keysRow() {
    return settingsRowCount();
}
int32_t padRow() {
    return keysRow() + 1;
}
int32_t settingsBackRow() {
    return padRow() + 1;
}
// The keys page: one row per action, then these.
const int32_t RESET_KEYS = KeyBindings::ACTION_COUNT;
const int32_t KEYS_BACK = RESET_KEYS + 1;
const int32_t KEYS_ROWS = KEYS_BACK + 1;
// The pad page: one row per pad action, the table's pad settings, then these.
const int32_t PAD_VALUES = PadBindings::ACTION_COUNT;
int32_t resetPadRow() {
    return PAD_VALUES + static_cast<int32_t>(entriesOn(Settings::Page::Pad).size());
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
    if (input.escape || (choose && selected == settingsBackRow())) {
        return false;
    }
    if (choose && (selected == keysRow() || selected == padRow())) {
        page = selected == keysRow() ? Page::Keys : Page::Pad;
        selected = 0;
        message.clear();
        return true;
    }
    const int direction = stepDirection(input);
    if (direction != 0 && selected < settingsRowCount()) {
        change(*entriesOn(Settings::Page::Settings)[static_cast<std::size_t>(selected)], direction);
    }
    return true;
}

void OptionsMenu::applyOnKeysPage(const Input& input) {
    const bool choose = chosen(input);
    if (input.escape || (choose && selected == KEYS_BACK)) {
        leaveForSettings(keysRow());
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
    if (input.escape || (choose && selected == resetPadRow() + 1)) {
        leaveForSettings(padRow());
        return;
    }
    if (selected >= PAD_VALUES && selected < resetPadRow()) {
        const int direction = stepDirection(input);
        if (direction != 0) {
            change(*entriesOn(Settings::Page::Pad)[static_cast<std::size_t>(selected - PAD_VALUES)],
                   direction);
        }
        return;
    }
    if (!choose) {
        return;
    }
    if (selected == resetPadRow()) {
        settings.pad = Settings().pad;
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

void OptionsMenu::change(const Settings::Entry& entry, int direction) {
    entry.set(settings, entry.stepped(entry.get(settings), direction));
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
    for (const Settings::Entry* entry : entriesOn(Settings::Page::Pad)) {
        padRows.push_back({entry->label, entry->shownValue(entry->get(settings))});
    }
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
    std::vector<Row> settingRows;
    for (const Settings::Entry* entry : entriesOn(Settings::Page::Settings)) {
        settingRows.push_back({entry->label, entry->shownValue(entry->get(settings))});
    }
    settingRows.push_back({"Keys", ""});
    settingRows.push_back({"Pad", ""});
    settingRows.push_back({"Back", ""});
    return settingRows;
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
    return page == Page::Pad ? resetPadRow() + 2 : settingsBackRow() + 1;
}
