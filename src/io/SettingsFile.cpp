#include "io/SettingsFile.h"

#include "core/BaseDirectories.h"
#include "core/RegularFile.h"

#include <allegro5/allegro.h>
#include <allegro5/allegro_memfile.h>
#include <cstdlib>
#include <cstring>

namespace {

const char* const FILE_NAME = "settings.ini";

struct Choice {
    int value;
    const char* word;
};

const Choice TURNING[] = {{static_cast<int>(Settings::Turning::Classic), "classic"},
                          {static_cast<int>(Settings::Turning::Smooth), "smooth"}};
const Choice FLASH[] = {{static_cast<int>(Settings::Flash::Full), "full"},
                        {static_cast<int>(Settings::Flash::Reduced), "reduced"},
                        {static_cast<int>(Settings::Flash::Off), "off"}};
const Choice SCALING[] = {{static_cast<int>(Settings::Scaling::Whole), "whole"},
                          {static_cast<int>(Settings::Scaling::Fill), "fill"}};
const Choice ON_OFF[] = {{0, "off"}, {1, "on"}};

template <std::size_t N> const char* wordOf(const Choice (&choices)[N], int value) {
    for (const Choice& choice : choices) {
        if (choice.value == value) {
            return choice.word;
        }
    }
    return choices[0].word;
}

// Reads one value of the file into its setting; what is not there keeps the default.
class Reader {
  public:
    Reader(const ALLEGRO_CONFIG* config, std::vector<std::string>& problems)
        : config(config), problems(problems) {}

    template <std::size_t N, typename T>
    void choice(const char* section, const char* key, const Choice (&choices)[N], T& setting) {
        const char* text = value(section, key);
        if (text == nullptr) {
            return;
        }
        for (const Choice& choice : choices) {
            if (std::strcmp(text, choice.word) == 0) {
                setting = static_cast<T>(choice.value);
                return;
            }
        }
        refuse(section, key, text);
    }

    void onOff(const char* section, const char* key, bool& setting) {
        int value = setting;
        choice(section, key, ON_OFF, value);
        setting = value != 0;
    }

    // A whole number from low to high, in steps of step from low.
    void number(const char* section, const char* key, int low, int high, int step,
                int32_t& setting) {
        const char* text = value(section, key);
        if (text == nullptr) {
            return;
        }
        char* end = nullptr;
        errno = 0;
        const long number = std::strtol(text, &end, 10);
        if (end == text || *end != '\0' || errno != 0 || number < low || number > high ||
            (number - low) % step != 0) {
            refuse(section, key, text);
            return;
        }
        setting = static_cast<int32_t>(number);
    }

    void keys(KeyBindings& bindings) {
        for (int i = 0; i < KeyBindings::ACTION_COUNT; ++i) {
            const auto action = static_cast<KeyBindings::Action>(i);
            const char* name = KeyBindings::settingName(action);
            const char* text = value("keys", name);
            if (text == nullptr) {
                continue;
            }
            KeyBindings::Action swapped;
            const int keycode = KeyBindings::keyFromName(text);
            if (keycode == KeyBindings::NO_KEY || !bindings.bind(action, keycode, swapped)) {
                refuse("keys", name, text);
            }
        }
    }

    void pad(PadSettings& pad) {
        number("pad", "sensitivity", PadSettings::SENSITIVITY_MIN, PadSettings::SENSITIVITY_MAX, 1,
               pad.sensitivity);
        number("pad", "dead_zone", PadSettings::DEAD_ZONE_MIN, PadSettings::DEAD_ZONE_MAX,
               PadSettings::DEAD_ZONE_STEP, pad.deadZone);
        onOff("pad", "invert", pad.invert);
        onOff("pad", "rumble", pad.rumble);
        for (int i = 0; i < PadBindings::ACTION_COUNT; ++i) {
            const auto action = static_cast<PadBindings::Action>(i);
            const char* name = PadBindings::settingName(action);
            const char* text = value("pad buttons", name);
            if (text == nullptr) {
                continue;
            }
            PadBindings::Action swapped;
            if (!pad.buttons.bind(action, PadBindings::buttonFromName(text), swapped)) {
                refuse("pad buttons", name, text);
            }
        }
    }

  private:
    const char* value(const char* section, const char* key) {
        return al_get_config_value(config, section, key);
    }

    void refuse(const char* section, const char* key, const char* text) {
        problems.push_back(std::string("Settings: [") + section + "] " + key + " = \"" + text +
                           "\" is not a value it takes; the default stays.");
    }

    const ALLEGRO_CONFIG* config;
    std::vector<std::string>& problems;
};

ALLEGRO_CONFIG* configFromText(const std::string& text) {
    if (text.empty()) {
        return al_create_config();
    }
    std::string copy = text; // the memory file reads from memory it may own
    ALLEGRO_FILE* file = al_open_memfile(&copy[0], static_cast<int64_t>(copy.size()), "r");
    if (file == nullptr) {
        return nullptr;
    }
    ALLEGRO_CONFIG* config = al_load_config_file_f(file);
    al_fclose(file);
    return config;
}

} // namespace

std::string SettingsFile::defaultPath() {
    const std::string folder = BaseDirectories::config();
    return folder.empty() ? "" : folder + "/" + FILE_NAME;
}

SettingsFile::Loaded SettingsFile::load(const std::string& path) {
    const RegularFile::Contents file = RegularFile::read(path, SIZE_LIMIT);
    if (file.outcome == RegularFile::Outcome::Missing) {
        return Loaded();
    }
    if (file.outcome == RegularFile::Outcome::Refused || file.cutShort) {
        Loaded loaded;
        loaded.problems.push_back(
            "Settings \"" + path + "\": " +
            (file.cutShort ? "larger than " + std::to_string(SIZE_LIMIT) + " bytes, so not read"
                           : file.problem) +
            "; the defaults stay.");
        return loaded;
    }
    return parse(file.text);
}

SettingsFile::Loaded SettingsFile::parse(const std::string& text) {
    Loaded loaded;
    // Allegro's reader takes a NUL for the end of its line and drops the rest of the
    // file quietly: such a file is no text, and is said to be none.
    if (text.find('\0') != std::string::npos) {
        loaded.problems.push_back("Settings: the file holds a NUL byte, so it is no text; the "
                                  "defaults stay.");
        return loaded;
    }
    ALLEGRO_CONFIG* config = configFromText(text);
    if (config == nullptr) {
        loaded.problems.push_back("Settings: the file cannot be read; the defaults stay.");
        return loaded;
    }
    Settings& settings = loaded.settings;
    Reader read(config, loaded.problems);
    read.choice("controls", "turning", TURNING, settings.turning);
    read.number("controls", "sensitivity", Settings::SENSITIVITY_MIN, Settings::SENSITIVITY_MAX, 1,
                settings.sensitivity);
    read.number("sound", "effects", 0, Settings::VOLUME_MAX, Settings::VOLUME_STEP,
                settings.effectsVolume);
    read.number("sound", "ambience", 0, Settings::VOLUME_MAX, Settings::VOLUME_STEP,
                settings.ambienceVolume);
    read.onOff("sound", "captions", settings.captions);
    read.choice("view", "damage_flash", FLASH, settings.flash);
    read.onOff("view", "fullscreen", settings.fullscreen);
    read.choice("view", "scaling", SCALING, settings.scaling);
    read.onOff("view", "fps", settings.showFps);
    read.keys(settings.keys);
    read.pad(settings.pad);
    al_destroy_config(config);
    return loaded;
}

std::string SettingsFile::compose(const Settings& settings) {
    ALLEGRO_CONFIG* config = al_create_config();
    al_add_config_comment(config, nullptr,
                          "Duskmarch's settings, as the Options screen keeps them.");
    al_set_config_value(config, "controls", "turning",
                        wordOf(TURNING, static_cast<int>(settings.turning)));
    al_set_config_value(config, "controls", "sensitivity",
                        std::to_string(settings.sensitivity).c_str());
    al_set_config_value(config, "sound", "effects", std::to_string(settings.effectsVolume).c_str());
    al_set_config_value(config, "sound", "ambience",
                        std::to_string(settings.ambienceVolume).c_str());
    al_set_config_value(config, "sound", "captions", wordOf(ON_OFF, settings.captions));
    al_set_config_value(config, "view", "damage_flash",
                        wordOf(FLASH, static_cast<int>(settings.flash)));
    al_set_config_value(config, "view", "fullscreen", wordOf(ON_OFF, settings.fullscreen));
    al_set_config_value(config, "view", "scaling",
                        wordOf(SCALING, static_cast<int>(settings.scaling)));
    al_set_config_value(config, "view", "fps", wordOf(ON_OFF, settings.showFps));
    for (int i = 0; i < KeyBindings::ACTION_COUNT; ++i) {
        const auto action = static_cast<KeyBindings::Action>(i);
        al_set_config_value(config, "keys", KeyBindings::settingName(action),
                            KeyBindings::keyName(settings.keys.key(action)));
    }
    const PadSettings& pad = settings.pad;
    al_set_config_value(config, "pad", "sensitivity", std::to_string(pad.sensitivity).c_str());
    al_set_config_value(config, "pad", "dead_zone", std::to_string(pad.deadZone).c_str());
    al_set_config_value(config, "pad", "invert", wordOf(ON_OFF, pad.invert));
    al_set_config_value(config, "pad", "rumble", wordOf(ON_OFF, pad.rumble));
    for (int i = 0; i < PadBindings::ACTION_COUNT; ++i) {
        const auto action = static_cast<PadBindings::Action>(i);
        al_set_config_value(config, "pad buttons", PadBindings::settingName(action),
                            PadBindings::buttonName(pad.buttons.button(action)));
    }
    // Far more room than the few lines it writes.
    std::string text(SIZE_LIMIT, '\0');
    ALLEGRO_FILE* file = al_open_memfile(&text[0], static_cast<int64_t>(text.size()), "w");
    if (file != nullptr) {
        al_save_config_file_f(file, config);
        text.resize(static_cast<std::size_t>(std::max<int64_t>(al_ftell(file), 0)));
        al_fclose(file);
    } else {
        text.clear();
    }
    al_destroy_config(config);
    return text;
}

bool SettingsFile::save(const std::string& path, const Settings& settings, std::string& reason) {
    if (path.empty()) {
        reason = "there is no folder for it (neither XDG_CONFIG_HOME nor HOME is set)";
        return false;
    }
    const std::string folder = path.substr(0, path.find_last_of('/'));
    return (folder == path || RegularFile::makeFolders(folder, reason)) &&
           RegularFile::replace(path, compose(settings), reason);
}
