#include "SettingsChecks.h"

#include "io/SettingsFile.h"

#include <allegro5/keycodes.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void require(bool promise, const char* what) {
    if (!promise) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

bool inRange(int value, int low, int high) {
    return value >= low && value <= high;
}

} // namespace

void checkSettingsReader(const uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const SettingsFile::Loaded loaded = SettingsFile::parse(text);
    const Settings& settings = loaded.settings;
    require(inRange(settings.sensitivity, Settings::SENSITIVITY_MIN, Settings::SENSITIVITY_MAX),
            "a sensitivity out of range");
    for (int volume : {settings.effectsVolume, settings.ambienceVolume}) {
        require(inRange(volume, 0, Settings::VOLUME_MAX) && volume % Settings::VOLUME_STEP == 0,
                "a volume out of range");
    }
    for (int i = 0; i < KeyBindings::ACTION_COUNT; ++i) {
        const int key = settings.keys.key(static_cast<KeyBindings::Action>(i));
        require(!KeyBindings::isKept(key), "an action on a key it may not have");
    }
    const PadSettings& pad = settings.pad;
    require(inRange(pad.sensitivity, PadSettings::SENSITIVITY_MIN, PadSettings::SENSITIVITY_MAX) &&
                inRange(pad.deadZone, PadSettings::DEAD_ZONE_MIN, PadSettings::DEAD_ZONE_MAX) &&
                pad.deadZone % PadSettings::DEAD_ZONE_STEP == 0,
            "a pad setting out of range");
    for (int i = 0; i < PadBindings::ACTION_COUNT; ++i) {
        const PadBindings::Button button = pad.buttons.button(static_cast<PadBindings::Action>(i));
        require(!PadBindings::isKept(button), "a pad action on a button it may not have");
    }
    // The settings file has a value for each of the table's settings, a key for each
    // action and a button for each of the pad's.
    require(loaded.problems.size() <=
                Settings::table().size() + KeyBindings::ACTION_COUNT + PadBindings::ACTION_COUNT,
            "a value named twice");
    const SettingsFile::Loaded again = SettingsFile::parse(SettingsFile::compose(settings));
    require(again.problems.empty() && again.settings == settings,
            "written settings read back otherwise");
}
