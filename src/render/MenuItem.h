#pragma once

#include <cstdint>
#include <string>

// One line of a menu, centred on (x, y).
struct MenuItem {
    std::string text;
    int32_t x = 0;
    int32_t y = 0;
};
