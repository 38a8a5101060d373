#pragma once

#include <array>
#include <cstddef>

// One input to each action, no input to two: giving an action an input another action
// holds hands that action this one's old input. Shared by the keys and the pad's
// buttons, so that both rebind alike.
struct SwappingSlots {
    // Puts value in slot index; returns the slot that held it before and now holds the
    // old value, or -1 when none did.
    template <typename Input, std::size_t N>
    static int give(std::array<Input, N>& slots, int index, Input value) {
        int swapped = -1;
        for (int i = 0; i < static_cast<int>(N); ++i) {
            if (i != index && slots[static_cast<std::size_t>(i)] == value) {
                slots[static_cast<std::size_t>(i)] = slots[static_cast<std::size_t>(index)];
                swapped = i;
            }
        }
        slots[static_cast<std::size_t>(index)] = value;
        return swapped;
    }
};
