#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>

// Which key does which of the player's actions. Each action has one key the player may
// change, and some a second one that stays: the arrow keys beside W and S, the right
// Shift beside the left one. Escape, Enter, the arrows and the mouse buttons are kept
// for themselves, so that no one can lock themselves out. Keys are Allegro's key codes,
// plain numbers here.
class KeyBindings {
  public:
    enum class Action {
        Forward,
        Back,
        Left,
        Right,
        Run,
        Spawn,
        Slower,
        Faster,
        Pause,
        Fullscreen,
        Footstep,
        Screenshot,
        Map,
        COUNT
    };
    static constexpr int ACTION_COUNT = static_cast<int>(Action::COUNT);
    static constexpr int NO_KEY = 0;

    // The keys of the design: W, S, A, D, Shift, Space, Minus, Equals, Pause, F11, P; and
    // F12 for a screenshot. They go by the key's place on the board: on a layout other
    // than the US one, forward is the key where W is on a US board (see useLayout).
    KeyBindings();

    // The keyboard's layout, told once at start by the window system: for each key of a
    // US board the defaults use, the key the layout has at its place. A layout whose keys
    // there would clash keeps the US keys. Until it is told, every key is its own.
    static void useLayout(const std::array<std::pair<int, int>, 7>& usKeyAndPlaced);
    // The key at the place of a US board's usKey, as the layout in use names it.
    static int atPlaceOf(int usKey);
    // The US keys whose places the layout is asked about.
    static std::array<int, 7> placedKeys();

    int key(Action action) const { return keys[index(action)]; }
    // The fixed second key of the action, or NO_KEY.
    static int secondKey(Action action);
    // True when the key is one that no action may take.
    static bool isKept(int keycode);

    // Gives the action the key. The action that had it before takes this action's old
    // key, and is returned; COUNT when no other action had it. A kept key is refused:
    // nothing changes, and false.
    bool bind(Action action, int keycode, Action& swappedWith);

    // The name in the settings file ("forward") and on the Options screen ("Forward").
    static const char* settingName(Action action);
    static const char* label(Action action);
    // A key by the name of its Allegro constant without the prefix ("W", "LSHIFT",
    // "PAD_ENTER"); "?" for a code without one, NO_KEY for a name that is none.
    static const char* keyName(int keycode);
    static int keyFromName(const std::string& name);

    bool operator==(const KeyBindings& other) const { return keys == other.keys; }
    bool operator!=(const KeyBindings& other) const { return keys != other.keys; }

  private:
    static int index(Action action) { return static_cast<int>(action); }

    std::array<int, ACTION_COUNT> keys;
};
