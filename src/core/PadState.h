#pragma once

#include "core/PadBindings.h"

#include <array>
#include <cstdint>

// One reading of a pad in the common layout: its buttons, and its axes as the pad library
// gives them (sticks from -32768 to 32767, up and left negative; triggers from 0 to
// 32767). A state with connected false is no pad at all, everything at rest.
struct PadState {
    static constexpr int32_t AXIS_MAX = 32767;

    bool connected = false;
    std::array<bool, PadBindings::BUTTON_COUNT> buttons{};
    int32_t leftX = 0, leftY = 0, rightX = 0; // the right stick only turns

    bool down(PadBindings::Button button) const {
        const int i = static_cast<int>(button);
        return i >= 0 && i < PadBindings::BUTTON_COUNT && buttons[static_cast<std::size_t>(i)];
    }
};
