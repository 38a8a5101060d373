#pragma once

#include <cstdint>

// What the main menu does with the keys first pressed in one of its passes.
class MenuRules {
  public:
    static const int32_t ITEM_COUNT = 3; // Play, Load, Quit

    enum class Action { None, Exit, Play, Load, Quit };

    struct Keys {
        bool escape = false;
        bool up = false;   // W
        bool down = false; // S
        bool enter = false;
    };

    // Moves the selection, wrapping, and says what to do. Escape acts before anything else;
    // up wins over down; Enter acts on the selection as just moved.
    static Action apply(const Keys& keys, int32_t& selected);
};
