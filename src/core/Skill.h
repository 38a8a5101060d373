#pragma once

#include <cstdint>
#include <string>
#include <vector>

// How hard the game is: the game as designed, and three harder ones. Each is a set of
// knobs, declared once in table(); the rules read the knobs and nothing else of it, and a
// recorded game carries them, so a replay plays by the recording's rules.
struct Skill {
    struct Knobs {
        int32_t blowDamage = 3;       // health a skull's blow takes
        int32_t staminaPerSecond = 0; // a skull's stamina regained each second: it strikes again
        int32_t stepPermille = 1000;  // a skull's step, in thousandths of the designed 0.05 cells
        int32_t strikeDelayMs = 0;    // how long a skull stands in reach before it strikes
        bool playerFalls = false;     // health 0 ends the game
        bool cues = false;            // skulls heard, blows shown from their side, health bar
        // The sword reaches a skull within its reach along both axes, the square a skull
        // strikes from, instead of the designed circle: whatever can strike can be struck.
        bool squareReach = false;

        bool operator==(const Knobs& other) const {
            return blowDamage == other.blowDamage && staminaPerSecond == other.staminaPerSecond &&
                   stepPermille == other.stepPermille && strikeDelayMs == other.strikeDelayMs &&
                   playerFalls == other.playerFalls && cues == other.cues &&
                   squareReach == other.squareReach;
        }
        bool operator!=(const Knobs& other) const { return !(*this == other); }
    };

    const char* word;  // in the settings file, saves, demos and on the command line
    const char* label; // on the Options screen and the menus
    const char* about; // a few words for --help and the README
    Knobs knobs;

    static const std::vector<Skill>& table();
    // The skill of this word, or -1.
    static int indexOf(const std::string& word);
    static const Skill& at(int index);
    static constexpr int DESIGNED = 0;
};
