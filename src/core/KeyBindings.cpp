#include "core/KeyBindings.h"

#include "core/SwappingSlots.h"

#include <allegro5/keycodes.h>

namespace {

struct ActionInfo {
    int defaultKey;
    int secondKey;
    const char* settingName;
    const char* label;
};

// In Action's order.
const ActionInfo ACTIONS[] = {
    {ALLEGRO_KEY_W, ALLEGRO_KEY_UP, "forward", "Forward"},
    {ALLEGRO_KEY_S, ALLEGRO_KEY_DOWN, "back", "Back"},
    {ALLEGRO_KEY_A, KeyBindings::NO_KEY, "left", "Step left"},
    {ALLEGRO_KEY_D, KeyBindings::NO_KEY, "right", "Step right"},
    {ALLEGRO_KEY_LSHIFT, ALLEGRO_KEY_RSHIFT, "run", "Run"},
    {ALLEGRO_KEY_SPACE, KeyBindings::NO_KEY, "spawn", "Call a skull"},
    {ALLEGRO_KEY_MINUS, KeyBindings::NO_KEY, "slower", "Slower game"},
    {ALLEGRO_KEY_EQUALS, KeyBindings::NO_KEY, "faster", "Faster game"},
    {ALLEGRO_KEY_PAUSE, KeyBindings::NO_KEY, "pause", "Pause"},
    {ALLEGRO_KEY_F11, KeyBindings::NO_KEY, "fullscreen", "Full screen"},
    {ALLEGRO_KEY_P, KeyBindings::NO_KEY, "footstep", "Footstep"},
    {ALLEGRO_KEY_F12, KeyBindings::NO_KEY, "screenshot", "Screenshot"},
    {ALLEGRO_KEY_TAB, KeyBindings::NO_KEY, "map", "Map"},
};
static_assert(sizeof ACTIONS / sizeof ACTIONS[0] == KeyBindings::ACTION_COUNT,
              "one entry per action");

const int KEPT_KEYS[] = {ALLEGRO_KEY_ESCAPE, ALLEGRO_KEY_ENTER,  ALLEGRO_KEY_PAD_ENTER,
                         ALLEGRO_KEY_UP,     ALLEGRO_KEY_DOWN,   ALLEGRO_KEY_LEFT,
                         ALLEGRO_KEY_RIGHT,  ALLEGRO_KEY_RSHIFT, ALLEGRO_KEY_ALT,
                         ALLEGRO_KEY_ALTGR};

struct KeyName {
    int keycode;
    const char* name;
};

// Every key by the name of its Allegro constant, as the settings file and the Options
// screen write it.
const KeyName KEY_NAMES[] = {{ALLEGRO_KEY_A, "A"},
                             {ALLEGRO_KEY_B, "B"},
                             {ALLEGRO_KEY_C, "C"},
                             {ALLEGRO_KEY_D, "D"},
                             {ALLEGRO_KEY_E, "E"},
                             {ALLEGRO_KEY_F, "F"},
                             {ALLEGRO_KEY_G, "G"},
                             {ALLEGRO_KEY_H, "H"},
                             {ALLEGRO_KEY_I, "I"},
                             {ALLEGRO_KEY_J, "J"},
                             {ALLEGRO_KEY_K, "K"},
                             {ALLEGRO_KEY_L, "L"},
                             {ALLEGRO_KEY_M, "M"},
                             {ALLEGRO_KEY_N, "N"},
                             {ALLEGRO_KEY_O, "O"},
                             {ALLEGRO_KEY_P, "P"},
                             {ALLEGRO_KEY_Q, "Q"},
                             {ALLEGRO_KEY_R, "R"},
                             {ALLEGRO_KEY_S, "S"},
                             {ALLEGRO_KEY_T, "T"},
                             {ALLEGRO_KEY_U, "U"},
                             {ALLEGRO_KEY_V, "V"},
                             {ALLEGRO_KEY_W, "W"},
                             {ALLEGRO_KEY_X, "X"},
                             {ALLEGRO_KEY_Y, "Y"},
                             {ALLEGRO_KEY_Z, "Z"},
                             {ALLEGRO_KEY_0, "0"},
                             {ALLEGRO_KEY_1, "1"},
                             {ALLEGRO_KEY_2, "2"},
                             {ALLEGRO_KEY_3, "3"},
                             {ALLEGRO_KEY_4, "4"},
                             {ALLEGRO_KEY_5, "5"},
                             {ALLEGRO_KEY_6, "6"},
                             {ALLEGRO_KEY_7, "7"},
                             {ALLEGRO_KEY_8, "8"},
                             {ALLEGRO_KEY_9, "9"},
                             {ALLEGRO_KEY_PAD_0, "PAD_0"},
                             {ALLEGRO_KEY_PAD_1, "PAD_1"},
                             {ALLEGRO_KEY_PAD_2, "PAD_2"},
                             {ALLEGRO_KEY_PAD_3, "PAD_3"},
                             {ALLEGRO_KEY_PAD_4, "PAD_4"},
                             {ALLEGRO_KEY_PAD_5, "PAD_5"},
                             {ALLEGRO_KEY_PAD_6, "PAD_6"},
                             {ALLEGRO_KEY_PAD_7, "PAD_7"},
                             {ALLEGRO_KEY_PAD_8, "PAD_8"},
                             {ALLEGRO_KEY_PAD_9, "PAD_9"},
                             {ALLEGRO_KEY_F1, "F1"},
                             {ALLEGRO_KEY_F2, "F2"},
                             {ALLEGRO_KEY_F3, "F3"},
                             {ALLEGRO_KEY_F4, "F4"},
                             {ALLEGRO_KEY_F5, "F5"},
                             {ALLEGRO_KEY_F6, "F6"},
                             {ALLEGRO_KEY_F7, "F7"},
                             {ALLEGRO_KEY_F8, "F8"},
                             {ALLEGRO_KEY_F9, "F9"},
                             {ALLEGRO_KEY_F10, "F10"},
                             {ALLEGRO_KEY_F11, "F11"},
                             {ALLEGRO_KEY_F12, "F12"},
                             {ALLEGRO_KEY_ESCAPE, "ESCAPE"},
                             {ALLEGRO_KEY_TILDE, "TILDE"},
                             {ALLEGRO_KEY_MINUS, "MINUS"},
                             {ALLEGRO_KEY_EQUALS, "EQUALS"},
                             {ALLEGRO_KEY_BACKSPACE, "BACKSPACE"},
                             {ALLEGRO_KEY_TAB, "TAB"},
                             {ALLEGRO_KEY_OPENBRACE, "OPENBRACE"},
                             {ALLEGRO_KEY_CLOSEBRACE, "CLOSEBRACE"},
                             {ALLEGRO_KEY_ENTER, "ENTER"},
                             {ALLEGRO_KEY_SEMICOLON, "SEMICOLON"},
                             {ALLEGRO_KEY_QUOTE, "QUOTE"},
                             {ALLEGRO_KEY_BACKSLASH, "BACKSLASH"},
                             {ALLEGRO_KEY_BACKSLASH2, "BACKSLASH2"},
                             {ALLEGRO_KEY_COMMA, "COMMA"},
                             {ALLEGRO_KEY_FULLSTOP, "FULLSTOP"},
                             {ALLEGRO_KEY_SLASH, "SLASH"},
                             {ALLEGRO_KEY_SPACE, "SPACE"},
                             {ALLEGRO_KEY_INSERT, "INSERT"},
                             {ALLEGRO_KEY_DELETE, "DELETE"},
                             {ALLEGRO_KEY_HOME, "HOME"},
                             {ALLEGRO_KEY_END, "END"},
                             {ALLEGRO_KEY_PGUP, "PGUP"},
                             {ALLEGRO_KEY_PGDN, "PGDN"},
                             {ALLEGRO_KEY_LEFT, "LEFT"},
                             {ALLEGRO_KEY_RIGHT, "RIGHT"},
                             {ALLEGRO_KEY_UP, "UP"},
                             {ALLEGRO_KEY_DOWN, "DOWN"},
                             {ALLEGRO_KEY_PAD_SLASH, "PAD_SLASH"},
                             {ALLEGRO_KEY_PAD_ASTERISK, "PAD_ASTERISK"},
                             {ALLEGRO_KEY_PAD_MINUS, "PAD_MINUS"},
                             {ALLEGRO_KEY_PAD_PLUS, "PAD_PLUS"},
                             {ALLEGRO_KEY_PAD_DELETE, "PAD_DELETE"},
                             {ALLEGRO_KEY_PAD_ENTER, "PAD_ENTER"},
                             {ALLEGRO_KEY_PRINTSCREEN, "PRINTSCREEN"},
                             {ALLEGRO_KEY_PAUSE, "PAUSE"},
                             {ALLEGRO_KEY_ABNT_C1, "ABNT_C1"},
                             {ALLEGRO_KEY_YEN, "YEN"},
                             {ALLEGRO_KEY_KANA, "KANA"},
                             {ALLEGRO_KEY_CONVERT, "CONVERT"},
                             {ALLEGRO_KEY_NOCONVERT, "NOCONVERT"},
                             {ALLEGRO_KEY_AT, "AT"},
                             {ALLEGRO_KEY_CIRCUMFLEX, "CIRCUMFLEX"},
                             {ALLEGRO_KEY_COLON2, "COLON2"},
                             {ALLEGRO_KEY_KANJI, "KANJI"},
                             {ALLEGRO_KEY_PAD_EQUALS, "PAD_EQUALS"},
                             {ALLEGRO_KEY_BACKQUOTE, "BACKQUOTE"},
                             {ALLEGRO_KEY_SEMICOLON2, "SEMICOLON2"},
                             {ALLEGRO_KEY_COMMAND, "COMMAND"},
                             {ALLEGRO_KEY_BACK, "BACK"},
                             {ALLEGRO_KEY_VOLUME_UP, "VOLUME_UP"},
                             {ALLEGRO_KEY_VOLUME_DOWN, "VOLUME_DOWN"},
                             {ALLEGRO_KEY_SEARCH, "SEARCH"},
                             {ALLEGRO_KEY_DPAD_CENTER, "DPAD_CENTER"},
                             {ALLEGRO_KEY_BUTTON_X, "BUTTON_X"},
                             {ALLEGRO_KEY_BUTTON_Y, "BUTTON_Y"},
                             {ALLEGRO_KEY_DPAD_UP, "DPAD_UP"},
                             {ALLEGRO_KEY_DPAD_DOWN, "DPAD_DOWN"},
                             {ALLEGRO_KEY_DPAD_LEFT, "DPAD_LEFT"},
                             {ALLEGRO_KEY_DPAD_RIGHT, "DPAD_RIGHT"},
                             {ALLEGRO_KEY_SELECT, "SELECT"},
                             {ALLEGRO_KEY_START, "START"},
                             {ALLEGRO_KEY_BUTTON_L1, "BUTTON_L1"},
                             {ALLEGRO_KEY_BUTTON_R1, "BUTTON_R1"},
                             {ALLEGRO_KEY_BUTTON_L2, "BUTTON_L2"},
                             {ALLEGRO_KEY_BUTTON_R2, "BUTTON_R2"},
                             {ALLEGRO_KEY_BUTTON_A, "BUTTON_A"},
                             {ALLEGRO_KEY_BUTTON_B, "BUTTON_B"},
                             {ALLEGRO_KEY_THUMBL, "THUMBL"},
                             {ALLEGRO_KEY_THUMBR, "THUMBR"},
                             {ALLEGRO_KEY_LSHIFT, "LSHIFT"},
                             {ALLEGRO_KEY_RSHIFT, "RSHIFT"},
                             {ALLEGRO_KEY_LCTRL, "LCTRL"},
                             {ALLEGRO_KEY_RCTRL, "RCTRL"},
                             {ALLEGRO_KEY_ALT, "ALT"},
                             {ALLEGRO_KEY_ALTGR, "ALTGR"},
                             {ALLEGRO_KEY_LWIN, "LWIN"},
                             {ALLEGRO_KEY_RWIN, "RWIN"},
                             {ALLEGRO_KEY_MENU, "MENU"},
                             {ALLEGRO_KEY_SCROLLLOCK, "SCROLLLOCK"},
                             {ALLEGRO_KEY_NUMLOCK, "NUMLOCK"},
                             {ALLEGRO_KEY_CAPSLOCK, "CAPSLOCK"}};

// The keys of a US board whose places the defaults take, and what the layout in use has
// there; each starts as itself.
std::array<std::pair<int, int>, 7> placed = {{{ALLEGRO_KEY_W, ALLEGRO_KEY_W},
                                              {ALLEGRO_KEY_S, ALLEGRO_KEY_S},
                                              {ALLEGRO_KEY_A, ALLEGRO_KEY_A},
                                              {ALLEGRO_KEY_D, ALLEGRO_KEY_D},
                                              {ALLEGRO_KEY_P, ALLEGRO_KEY_P},
                                              {ALLEGRO_KEY_MINUS, ALLEGRO_KEY_MINUS},
                                              {ALLEGRO_KEY_EQUALS, ALLEGRO_KEY_EQUALS}}};

} // namespace

std::array<int, 7> KeyBindings::placedKeys() {
    std::array<int, 7> keys{};
    for (std::size_t i = 0; i < placed.size(); ++i) {
        keys[i] = placed[i].first;
    }
    return keys;
}

void KeyBindings::useLayout(const std::array<std::pair<int, int>, 7>& usKeyAndPlaced) {
    for (std::size_t i = 0; i < usKeyAndPlaced.size(); ++i) {
        const int key = usKeyAndPlaced[i].second;
        const bool usable = !isKept(key) && placed[i].first == usKeyAndPlaced[i].first;
        for (std::size_t j = 0; usable && j < i; ++j) {
            if (usKeyAndPlaced[j].second == key) {
                return; // two places, one key: the US keys stay
            }
        }
        if (!usable) {
            return;
        }
    }
    placed = usKeyAndPlaced;
}

int KeyBindings::atPlaceOf(int usKey) {
    for (const auto& [us, there] : placed) {
        if (us == usKey) {
            return there;
        }
    }
    return usKey;
}

const char* KeyBindings::keyName(int keycode) {
    for (const KeyName& key : KEY_NAMES) {
        if (key.keycode == keycode) {
            return key.name;
        }
    }
    return "?";
}

int KeyBindings::keyFromName(const std::string& name) {
    for (const KeyName& key : KEY_NAMES) {
        if (name == key.name) {
            return key.keycode;
        }
    }
    return NO_KEY;
}

KeyBindings::KeyBindings() {
    for (int i = 0; i < ACTION_COUNT; ++i) {
        keys[i] = atPlaceOf(ACTIONS[i].defaultKey);
    }
}

int KeyBindings::secondKey(Action action) {
    return ACTIONS[index(action)].secondKey;
}

bool KeyBindings::isKept(int keycode) {
    // A code without a name could not be written down and read back.
    if (keycode <= NO_KEY || keycode >= ALLEGRO_KEY_MAX ||
        keyFromName(keyName(keycode)) != keycode) {
        return true;
    }
    for (int kept : KEPT_KEYS) {
        if (kept == keycode) {
            return true;
        }
    }
    return false;
}

bool KeyBindings::bind(Action action, int keycode, Action& swappedWith) {
    swappedWith = Action::COUNT;
    if (isKept(keycode)) {
        return false;
    }
    const int swapped = SwappingSlots::give(keys, index(action), keycode);
    if (swapped >= 0) {
        swappedWith = static_cast<Action>(swapped);
    }
    return true;
}

const char* KeyBindings::settingName(Action action) {
    return ACTIONS[index(action)].settingName;
}

const char* KeyBindings::label(Action action) {
    return ACTIONS[index(action)].label;
}
