#include "core/Settings.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

// A field of the settings as the table reads and writes it: a whole number.
#define SETTING_FIELD(path)                                                                        \
    [](const Settings& s) { return static_cast<int32_t>(s.path); },                                \
        [](Settings& s, int32_t v) { s.path = static_cast<decltype(s.path)>(v); }

namespace {

using Page = Settings::Page;
const std::vector<const char*> NO_WORDS;
const std::vector<const char*> ON_OFF_WORDS = {"off", "on"};
const std::vector<const char*> ON_OFF_SHOWN = {"Off", "On"};

// The skills' words in the file, or their labels on the Options screen.
std::vector<const char*> skillNames(const char* Skill::*name) {
    std::vector<const char*> names;
    for (const Skill& skill : Skill::table()) {
        names.push_back(skill.*name);
    }
    return names;
}

} // namespace

const std::vector<Settings::Entry>& Settings::table() {
    static const std::vector<Entry> entries = {
        // The skill steers the world, but a game carries its own (from Play, or its save),
        // and a recorded game its knobs: it is not among the settings a replay takes over.
        {"game", "skill", "Skill", Page::Settings, 0,
         static_cast<int32_t>(skillNames(&Skill::word).size()) - 1, 1, skillNames(&Skill::word),
         skillNames(&Skill::label), "", false, SETTING_FIELD(skill)},
        {"controls",
         "turning",
         "Turning",
         Page::Settings,
         0,
         1,
         1,
         {"classic", "smooth"},
         {"Classic", "Smooth"},
         "",
         true,
         SETTING_FIELD(turning)},
        {"controls", "sensitivity", "Smooth turning sensitivity", Page::Settings, SENSITIVITY_MIN,
         SENSITIVITY_MAX, 1, NO_WORDS, NO_WORDS, "", true, SETTING_FIELD(sensitivity)},
        {"sound", "effects", "Effects volume", Page::Settings, 0, VOLUME_MAX, VOLUME_STEP, NO_WORDS,
         NO_WORDS, "%", false, SETTING_FIELD(effectsVolume)},
        {"sound", "ambience", "Ambience volume", Page::Settings, 0, VOLUME_MAX, VOLUME_STEP,
         NO_WORDS, NO_WORDS, "%", false, SETTING_FIELD(ambienceVolume)},
        {"view",
         "damage_flash",
         "Damage flash",
         Page::Settings,
         0,
         2,
         1,
         {"full", "reduced", "off"},
         {"Full", "Reduced", "Off"},
         "",
         false,
         SETTING_FIELD(flash)},
        {"sound", "captions", "Captions", Page::Settings, 0, 1, 1, ON_OFF_WORDS, ON_OFF_SHOWN, "",
         false, SETTING_FIELD(captions)},
        {"view", "fullscreen", "Full screen", Page::Settings, 0, 1, 1, ON_OFF_WORDS, ON_OFF_SHOWN,
         "", false, SETTING_FIELD(fullscreen)},
        {"view",
         "scaling",
         "Full screen scaling",
         Page::Settings,
         0,
         1,
         1,
         {"whole", "fill"},
         {"Whole", "Fill"},
         "",
         false,
         SETTING_FIELD(scaling)},
        {"view", "fps", "Frames per second", Page::Settings, 0, 1, 1, ON_OFF_WORDS, ON_OFF_SHOWN,
         "", false, SETTING_FIELD(showFps)},
        {"view",
         "map",
         "Map",
         Page::Settings,
         0,
         1,
         1,
         {"full", "overlay"},
         {"Full", "Overlay"},
         "",
         false,
         SETTING_FIELD(mapMode)},
        {"sound", "skulls", "Skulls heard (as designed)", Page::Settings, 0, 1, 1, ON_OFF_WORDS,
         ON_OFF_SHOWN, "", false, SETTING_FIELD(skullSounds)},
        {"view", "fight_cues", "Fight cues (as designed)", Page::Settings, 0, 1, 1, ON_OFF_WORDS,
         ON_OFF_SHOWN, "", false, SETTING_FIELD(fightCues)},
        {"pad", "sensitivity", "Turning sensitivity", Page::Pad, PadSettings::SENSITIVITY_MIN,
         PadSettings::SENSITIVITY_MAX, 1, NO_WORDS, NO_WORDS, "", false,
         SETTING_FIELD(pad.sensitivity)},
        {"pad", "dead_zone", "Dead zone", Page::Pad, PadSettings::DEAD_ZONE_MIN,
         PadSettings::DEAD_ZONE_MAX, PadSettings::DEAD_ZONE_STEP, NO_WORDS, NO_WORDS, "%", false,
         SETTING_FIELD(pad.deadZone)},
        {"pad", "invert", "Invert turning", Page::Pad, 0, 1, 1, ON_OFF_WORDS, ON_OFF_SHOWN, "",
         false, SETTING_FIELD(pad.invert)},
        {"pad", "rumble", "Rumble", Page::Pad, 0, 1, 1, ON_OFF_WORDS, ON_OFF_SHOWN, "", false,
         SETTING_FIELD(pad.rumble)},
    };
    return entries;
}

const Settings::Entry* Settings::find(const std::string& section, const std::string& key) {
    for (const Entry& entry : table()) {
        if (section == entry.section && key == entry.key) {
            return &entry;
        }
    }
    return nullptr;
}

std::string Settings::Entry::word(int32_t value) const {
    if (!isChoice()) {
        return std::to_string(value);
    }
    return words[static_cast<std::size_t>(std::clamp(value, 0, high))];
}

bool Settings::Entry::parse(const char* text, int32_t& value) const {
    if (isChoice()) {
        for (std::size_t i = 0; i < words.size(); ++i) {
            if (std::strcmp(text, words[i]) == 0) {
                value = static_cast<int32_t>(i);
                return true;
            }
        }
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || number < low || number > high ||
        (number - low) % step != 0) {
        return false;
    }
    value = static_cast<int32_t>(number);
    return true;
}

std::string Settings::Entry::shownValue(int32_t value) const {
    if (isChoice()) {
        return shown[static_cast<std::size_t>(std::clamp(value, 0, high))];
    }
    return std::to_string(value) + unit;
}

int32_t Settings::Entry::stepped(int32_t value, int direction) const {
    if (isChoice()) {
        const int32_t count = high + 1;
        return (value + direction + count) % count;
    }
    return std::clamp(value + direction * step, low, high);
}

Settings Settings::steeredBy(const Settings& other) const {
    Settings steered = *this;
    for (const Entry& entry : table()) {
        if (entry.steersWorld) {
            entry.set(steered, entry.get(other));
        }
    }
    return steered;
}

bool Settings::operator==(const Settings& other) const {
    for (const Entry& entry : table()) {
        if (entry.get(*this) != entry.get(other)) {
            return false;
        }
    }
    return keys == other.keys && pad.buttons == other.pad.buttons;
}
