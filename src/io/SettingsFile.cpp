#include "io/SettingsFile.h"

#include "core/BaseDirectories.h"
#include "core/RegularFile.h"
#include "io/ConfigText.h"

#include <algorithm>
#include <allegro5/allegro.h>

namespace {

const char* const FILE_NAME = "settings.ini";
const char* const KEYS_SECTION = "keys";
const char* const PAD_BUTTONS_SECTION = "pad buttons";

// Reads the file's values into the settings; what is not there keeps the default.
class Reader {
  public:
    Reader(const ALLEGRO_CONFIG* config, std::vector<std::string>& problems)
        : config(config), problems(problems) {}

    void entries(Settings& settings) {
        for (const Settings::Entry& entry : Settings::table()) {
            const char* text = value(entry.section, entry.key);
            int32_t number = 0;
            if (text == nullptr) {
                continue;
            }
            if (entry.parse(text, number)) {
                entry.set(settings, number);
            } else {
                refuse(entry.section, entry.key, text);
            }
        }
    }

    void keys(KeyBindings& bindings) {
        for (int i = 0; i < KeyBindings::ACTION_COUNT; ++i) {
            const auto action = static_cast<KeyBindings::Action>(i);
            const char* name = KeyBindings::settingName(action);
            const char* text = value(KEYS_SECTION, name);
            if (text == nullptr) {
                continue;
            }
            KeyBindings::Action swapped;
            const int keycode = KeyBindings::keyFromName(text);
            if (keycode == KeyBindings::NO_KEY || !bindings.bind(action, keycode, swapped)) {
                refuse(KEYS_SECTION, name, text);
            }
        }
    }

    void padButtons(PadBindings& buttons) {
        for (int i = 0; i < PadBindings::ACTION_COUNT; ++i) {
            const auto action = static_cast<PadBindings::Action>(i);
            const char* name = PadBindings::settingName(action);
            const char* text = value(PAD_BUTTONS_SECTION, name);
            if (text == nullptr) {
                continue;
            }
            PadBindings::Action swapped;
            if (!buttons.bind(action, PadBindings::buttonFromName(text), swapped)) {
                refuse(PAD_BUTTONS_SECTION, name, text);
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

// What a setting takes, for the comment at the head of its section: "classic or smooth".
std::string takes(const Settings::Entry& entry) {
    if (!entry.isChoice()) {
        const std::string range = std::to_string(entry.low) + " to " + std::to_string(entry.high);
        return entry.step == 1 ? range : range + ", in steps of " + std::to_string(entry.step);
    }
    std::string text;
    for (std::size_t i = 0; i < entry.words.size(); ++i) {
        text += (i == 0                        ? ""
                 : i + 1 == entry.words.size() ? " or "
                                               : ", ") +
                std::string(entry.words[i]);
    }
    return text;
}

// Comment lines of at most 86 characters, broken after a comma or semicolon.
void addComment(ALLEGRO_CONFIG* config, const char* section, const std::string& text) {
    const std::size_t width = 86;
    std::size_t start = 0;
    while (text.size() - start > width) {
        const std::size_t cut = text.find_last_of(",;", start + width);
        al_add_config_comment(config, section, text.substr(start, cut + 1 - start).c_str());
        start = cut + 2;
    }
    al_add_config_comment(config, section, text.substr(start).c_str());
}

// "effects and ambience: 0 to 100, in steps of 10; captions: off or on": the settings of
// the section, those that take the same values named together.
std::string sectionComment(const std::string& section) {
    std::vector<std::pair<std::string, std::vector<std::string>>> groups;
    for (const Settings::Entry& entry : Settings::table()) {
        if (section != entry.section) {
            continue;
        }
        const std::string values = takes(entry);
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&](const auto& known) { return known.first == values; });
        if (group == groups.end()) {
            groups.push_back({values, {}});
            group = groups.end() - 1;
        }
        group->second.push_back(entry.key);
    }
    std::string comment;
    for (const auto& [values, keys] : groups) {
        std::string names;
        for (std::size_t i = 0; i < keys.size(); ++i) {
            names += (i == 0 ? "" : i + 1 == keys.size() ? " and " : ", ") + keys[i];
        }
        comment += (comment.empty() ? "" : "; ") + names + ": " + values;
    }
    return comment;
}

// Each section of the table in the order it first comes, with its comment and values.
void addEntries(ALLEGRO_CONFIG* config, const Settings& settings) {
    std::vector<std::string> sections;
    for (const Settings::Entry& entry : Settings::table()) {
        if (std::find(sections.begin(), sections.end(), entry.section) == sections.end()) {
            sections.push_back(entry.section);
        }
    }
    for (const std::string& section : sections) {
        addComment(config, section.c_str(), sectionComment(section));
        for (const Settings::Entry& entry : Settings::table()) {
            if (section == entry.section) {
                al_set_config_value(config, entry.section, entry.key,
                                    entry.word(entry.get(settings)).c_str());
            }
        }
    }
}

// The file as it is now with the changes from before to after made on it: what another
// copy of the game wrote meanwhile stays.
Settings changedOnDisk(const std::string& path, const Settings& before, const Settings& after) {
    Settings merged = SettingsFile::load(path).settings;
    for (const Settings::Entry& entry : Settings::table()) {
        if (entry.get(before) != entry.get(after)) {
            entry.set(merged, entry.get(after));
        }
    }
    for (int i = 0; i < KeyBindings::ACTION_COUNT; ++i) {
        const auto action = static_cast<KeyBindings::Action>(i);
        KeyBindings::Action swapped;
        if (before.keys.key(action) != after.keys.key(action)) {
            merged.keys.bind(action, after.keys.key(action), swapped);
        }
    }
    for (int i = 0; i < PadBindings::ACTION_COUNT; ++i) {
        const auto action = static_cast<PadBindings::Action>(i);
        PadBindings::Action swapped;
        if (before.pad.buttons.button(action) != after.pad.buttons.button(action)) {
            merged.pad.buttons.bind(action, after.pad.buttons.button(action), swapped);
        }
    }
    return merged;
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
    ALLEGRO_CONFIG* config = ConfigText::parse(text);
    if (config == nullptr) {
        loaded.problems.push_back("Settings: the file cannot be read; the defaults stay.");
        return loaded;
    }
    Reader read(config, loaded.problems);
    read.entries(loaded.settings);
    read.keys(loaded.settings.keys);
    read.padButtons(loaded.settings.pad.buttons);
    al_destroy_config(config);
    return loaded;
}

std::string SettingsFile::compose(const Settings& settings) {
    ALLEGRO_CONFIG* config = al_create_config();
    al_add_config_comment(config, nullptr,
                          "Duskmarch's settings, as the Options screen keeps them.");
    addEntries(config, settings);
    al_add_config_comment(config, KEYS_SECTION,
                          "Allegro's key names without ALLEGRO_KEY_: W, UP, LSHIFT, PAD_0 ...");
    for (int i = 0; i < KeyBindings::ACTION_COUNT; ++i) {
        const auto action = static_cast<KeyBindings::Action>(i);
        al_set_config_value(config, KEYS_SECTION, KeyBindings::settingName(action),
                            KeyBindings::keyName(settings.keys.key(action)));
    }
    std::string buttons; // those an action may take
    for (int i = 0; i < PadBindings::BUTTON_COUNT; ++i) {
        const auto button = static_cast<PadBindings::Button>(i);
        if (!PadBindings::isKept(button)) {
            buttons += (buttons.empty() ? "" : ", ") + std::string(PadBindings::buttonName(button));
        }
    }
    addComment(config, PAD_BUTTONS_SECTION, buttons);
    for (int i = 0; i < PadBindings::ACTION_COUNT; ++i) {
        const auto action = static_cast<PadBindings::Action>(i);
        al_set_config_value(config, PAD_BUTTONS_SECTION, PadBindings::settingName(action),
                            PadBindings::buttonName(settings.pad.buttons.button(action)));
    }
    // Far more room than the few lines it writes.
    const std::string text = ConfigText::write(config, SIZE_LIMIT);
    al_destroy_config(config);
    return text;
}

bool SettingsFile::save(const std::string& path, const Settings& before, const Settings& after,
                        std::string& reason) {
    if (path.empty()) {
        reason = "there is no folder for it (neither XDG_CONFIG_HOME nor HOME is set)";
        return false;
    }
    const std::string folder = path.substr(0, path.find_last_of('/'));
    return (folder == path || RegularFile::makeFolders(folder, reason)) &&
           RegularFile::replace(path, compose(changedOnDisk(path, before, after)), reason);
}
