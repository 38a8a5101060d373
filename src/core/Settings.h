#pragma once

#include "core/KeyBindings.h"
#include "core/PadSettings.h"
#include "core/Skill.h"

#include <cstdint>
#include <string>
#include <vector>

// What the player has chosen on the Options screen, kept between runs. The defaults are
// the game as it always was: with no settings file it plays exactly as designed.
//
// Every setting but the keys and the pad's buttons (which have tables of their own in
// KeyBindings and PadBindings) is declared once, in table(): where the file keeps it, what
// it takes, how the Options screen shows it and whether a recorded game carries it. The
// file's reader and writer, the Options screen and the demo's header all read the table.
struct Settings {
    enum class Turning { Classic, Smooth };
    enum class Flash { Full, Reduced, Off };
    enum class Scaling { Whole, Fill };
    enum class MapMode { Full, Overlay };

    static constexpr int SENSITIVITY_MIN = 1, SENSITIVITY_MAX = 10;
    static constexpr int VOLUME_STEP = 10, VOLUME_MAX = 100;

    // The skill a new game is played at: an index of Skill::table().
    int32_t skill = Skill::DESIGNED;
    // At the designed skill, where they are off unless asked for: the skulls heard, and a
    // blow's side, the health bar and the speed said (every harder skill has them).
    bool skullSounds = false;
    bool fightCues = false;
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
    // The map in place of the view, or half through over it.
    MapMode mapMode = MapMode::Full;
    PadSettings pad;

    // Which page of the Options screen shows a setting.
    enum class Page { Settings, Pad };

    // One setting. A choice is kept as its index among words; a number as itself.
    struct Entry {
        const char* section; // in the settings file
        const char* key;
        const char* label; // on the Options screen
        Page page;
        // A number from low to high in steps of step; or, with words, one of them.
        int32_t low, high, step;
        std::vector<const char*> words; // in the file, for a choice
        std::vector<const char*> shown; // on the Options screen, for a choice
        const char* unit;               // after a number on the Options screen
        // The world's course depends on it, so a recorded game carries it and a replay
        // plays with the recording's value, whatever the player's.
        bool steersWorld;
        int32_t (*get)(const Settings&);
        void (*set)(Settings&, int32_t);

        bool isChoice() const { return !words.empty(); }
        // The value's word in the file ("classic", "100").
        std::string word(int32_t value) const;
        // False when the text is no value the setting takes.
        bool parse(const char* text, int32_t& value) const;
        // As the Options screen shows it ("Classic", "100%").
        std::string shownValue(int32_t value) const;
        // One step on in the direction: choices wrap round, numbers stop at their ends.
        int32_t stepped(int32_t value, int direction) const;
    };
    static const std::vector<Entry>& table();
    static const Entry* find(const std::string& section, const std::string& key);

    // Smooth turning per pixel of travel at sensitivity 1; ten steps reach 0.34 degrees,
    // under half a degree for the least travel, and a fast flick turns half round within
    // a quarter of a second.
    static constexpr double SMOOTH_RADIANS_PER_STEP = 0.0006;
    double smoothRadiansPerPixel() const { return sensitivity * SMOOTH_RADIANS_PER_STEP; }
    // The pointer's turn in radians a pixel; 0 for the classic turning.
    double radiansPerPixel() const {
        return turning == Turning::Smooth ? smoothRadiansPerPixel() : 0.0;
    }
    // How strongly a blow reddens the view, as a share of the full flash.
    double flashShare() const {
        return flash == Flash::Full ? 1.0 : flash == Flash::Reduced ? 1.0 / 3.0 : 0.0;
    }
    // These settings with the world-steering ones taken from other.
    Settings steeredBy(const Settings& other) const;

    bool operator==(const Settings& other) const;
    bool operator!=(const Settings& other) const { return !(*this == other); }
};
