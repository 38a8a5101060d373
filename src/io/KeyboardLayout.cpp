#include "io/KeyboardLayout.h"

#include "core/KeyBindings.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <allegro5/keycodes.h>

namespace {

struct Place {
    int usKey;
    int x11Keycode; // the same on X's evdev and older keycode sets
};
const Place PLACES[] = {{ALLEGRO_KEY_W, 25},     {ALLEGRO_KEY_S, 39}, {ALLEGRO_KEY_A, 38},
                        {ALLEGRO_KEY_D, 40},     {ALLEGRO_KEY_P, 33}, {ALLEGRO_KEY_MINUS, 20},
                        {ALLEGRO_KEY_EQUALS, 21}};

struct Symbol {
    unsigned long keysym;
    int key;
};
const Symbol PUNCTUATION[] = {{XK_minus, ALLEGRO_KEY_MINUS},
                              {XK_equal, ALLEGRO_KEY_EQUALS},
                              {XK_comma, ALLEGRO_KEY_COMMA},
                              {XK_period, ALLEGRO_KEY_FULLSTOP},
                              {XK_semicolon, ALLEGRO_KEY_SEMICOLON},
                              {XK_apostrophe, ALLEGRO_KEY_QUOTE},
                              {XK_slash, ALLEGRO_KEY_SLASH},
                              {XK_backslash, ALLEGRO_KEY_BACKSLASH},
                              {XK_bracketleft, ALLEGRO_KEY_OPENBRACE},
                              {XK_bracketright, ALLEGRO_KEY_CLOSEBRACE},
                              {XK_grave, ALLEGRO_KEY_TILDE}};

} // namespace

int KeyboardLayout::allegroKeyOf(unsigned long keysym) {
    if (keysym >= XK_a && keysym <= XK_z) {
        return ALLEGRO_KEY_A + static_cast<int>(keysym - XK_a);
    }
    if (keysym >= XK_0 && keysym <= XK_9) {
        return ALLEGRO_KEY_0 + static_cast<int>(keysym - XK_0);
    }
    for (const Symbol& symbol : PUNCTUATION) {
        if (symbol.keysym == keysym) {
            return symbol.key;
        }
    }
    return 0;
}

int KeyboardLayout::placeOf(int usKey) {
    for (const Place& place : PLACES) {
        if (place.usKey == usKey) {
            return place.x11Keycode;
        }
    }
    return 0;
}

void KeyboardLayout::tellKeyBindings() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return;
    }
    XkbStateRec state{};
    XkbGetState(display, XkbUseCoreKbd, &state);
    std::array<std::pair<int, int>, 7> placed{};
    const std::array<int, 7> usKeys = KeyBindings::placedKeys();
    for (std::size_t i = 0; i < usKeys.size(); ++i) {
        const KeySym keysym =
            XkbKeycodeToKeysym(display, static_cast<KeyCode>(placeOf(usKeys[i])), state.group, 0);
        const int key = allegroKeyOf(keysym);
        // A symbol with no key of ours there (")" where a US board has "-"): the US key,
        // wherever the layout has it.
        placed[i] = {usKeys[i], key != 0 ? key : usKeys[i]};
    }
    XCloseDisplay(display);
    KeyBindings::useLayout(placed);
}
