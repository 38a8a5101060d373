#pragma once

#include "core/PadBindings.h"

#include <cstdint>

// The pad as the player has tuned it on the Options screen.
struct PadSettings {
    static constexpr int32_t SENSITIVITY_MIN = 1, SENSITIVITY_MAX = 10;
    static constexpr int32_t DEAD_ZONE_MIN = 5, DEAD_ZONE_MAX = 50, DEAD_ZONE_STEP = 5;

    PadBindings buttons;
    // The right stick at full tilt turns sensitivity / 5 times as fast as the turning
    // keys: 5 is the keys' own speed.
    int32_t sensitivity = 5;
    // Per cent of a stick's travel that counts as rest.
    int32_t deadZone = 20;
    bool invert = false; // the right stick turns the other way
    bool rumble = true;

    bool operator==(const PadSettings& other) const {
        return buttons == other.buttons && sensitivity == other.sensitivity &&
               deadZone == other.deadZone && invert == other.invert && rumble == other.rumble;
    }
    bool operator!=(const PadSettings& other) const { return !(*this == other); }
};
