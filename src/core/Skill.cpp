#include "core/Skill.h"

#include <algorithm>

// Each harder than the one before on every knob: the skulls strike again sooner, harder,
// walk faster and strike sooner once in reach; from Haunted on, the player can fall, and
// the sword reaches every skull that can strike.
// Every one of them still leaves the shipped level to be cleared by a player who swings
// at what comes (see tests/demos: a recorded game clears it at each).
const std::vector<Skill>& Skill::table() {
    static const std::vector<Skill> skills = {
        {"designed",
         "As designed",
         "the game as designed: a skull strikes once; you cannot fall",
         {3, 0, 1000, 0, false, false, false}},
        {"haunted",
         "Haunted",
         "skulls strike again every five or six seconds, for 4; you can fall",
         {4, 2, 1000, 450, true, true, true}},
        {"hunted",
         "Hunted",
         "skulls strike again every four seconds, for 5, and walk a fifth faster",
         {5, 3, 1200, 300, true, true, true}},
        {"merciless",
         "Merciless",
         "skulls strike again every three seconds, for 6, and walk half as fast again",
         {6, 4, 1500, 150, true, true, true}},
    };
    return skills;
}

int Skill::indexOf(const std::string& word) {
    const auto& skills = table();
    for (std::size_t i = 0; i < skills.size(); ++i) {
        if (word == skills[i].word) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const Skill& Skill::at(int index) {
    const auto& skills = table();
    return skills[static_cast<std::size_t>(
        std::clamp(index, 0, static_cast<int>(skills.size()) - 1))];
}
