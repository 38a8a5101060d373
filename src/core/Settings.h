#pragma once

#include "core/KeyBindings.h"
#include "core/PadSettings.h"

#include <cstdint>

// What the player has chosen on the Options screen, kept between runs. The defaults are
// the game as it always was: with no settings file it plays exactly as designed.
struct Settings {
    enum class Turning { Classic, Smooth };
    enum class Flash { Full, Reduced, Off };
    enum class Scaling { Whole, Fill };

    static constexpr int SENSITIVITY_MIN = 1, SENSITIVITY_MAX = 10;
    static constexpr int VOLUME_STEP = 10, VOLUME_MAX = 100;

    // Classic: three turn sizes by the pointer's travel in a frame. Smooth: the view turns
    // in proportion to the travel, by smoothRadiansPerPixel.
    Turning turning = Turning::Classic;
    int32_t sensitivity = 5;
    int32_t effectsVolume = VOLUME_MAX; // per cent, in steps of ten
    int32_t ambienceVolume = VOLUME_MAX;
    KeyBindings keys;
    Flash flash = Flash::Full;
    bool captions = false;
    bool fullscreen = false;
    Scaling scaling = Scaling::Whole;
    bool showFps = false;
    PadSettings pad;

    // Smooth turning per pixel of travel at sensitivity 1; ten steps reach 0.34 degrees,
    // under half a degree for the least travel, and a fast flick turns half round within
    // a quarter of a second.
    static constexpr double SMOOTH_RADIANS_PER_STEP = 0.0006;
    double smoothRadiansPerPixel() const { return sensitivity * SMOOTH_RADIANS_PER_STEP; }
    // How strongly a blow reddens the view, as a share of the full flash.
    double flashShare() const {
        return flash == Flash::Full ? 1.0 : flash == Flash::Reduced ? 1.0 / 3.0 : 0.0;
    }

    bool operator==(const Settings& other) const {
        return turning == other.turning && sensitivity == other.sensitivity &&
               effectsVolume == other.effectsVolume && ambienceVolume == other.ambienceVolume &&
               keys == other.keys && flash == other.flash && captions == other.captions &&
               fullscreen == other.fullscreen && scaling == other.scaling &&
               showFps == other.showFps && pad == other.pad;
    }
    bool operator!=(const Settings& other) const { return !(*this == other); }
};
