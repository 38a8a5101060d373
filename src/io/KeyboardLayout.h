#pragma once

#include <array>
#include <utility>

// The keyboard's layout, as the window system has it: which key stands at each place of a
// US board that the default keys use, so that forward is the key where W is on a US board
// whatever the layout prints on it (Z on a French board). Asked of X11 once at start.
class KeyboardLayout {
  public:
    // Tells KeyBindings the layout's keys at those places; nothing without an X display.
    static void tellKeyBindings();

    // An X11 key symbol as Allegro's key code, for the letters, digits and punctuation
    // a US board has where the defaults are; 0 for any other.
    static int allegroKeyOf(unsigned long keysym);
    // The X11 key code of the place of a US board's Allegro key, or 0.
    static int placeOf(int usKey);
};
