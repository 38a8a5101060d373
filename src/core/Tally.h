#pragma once

#include <cstdint>
#include <string>
#include <vector>

// How the level is going, for the player: the skulls killed (the level's own and those
// called up), those left, the blows taken, given and missed, the time in the level by the
// world's clock, and the saves.
struct Tally {
    int32_t levelKills = 0;
    int32_t calledKills = 0;
    int32_t skullsLeft = 0;
    int32_t blowsTaken = 0;
    int32_t blowsGiven = 0;
    int32_t misses = 0;
    int32_t saves = 0;
    int64_t timeMs = 0;

    // "2:05", minutes and seconds.
    static std::string clock(int64_t ms) {
        const int64_t seconds = ms / 1000;
        const std::string tens = seconds % 60 < 10 ? "0" : "";
        return std::to_string(seconds / 60) + ":" + tens + std::to_string(seconds % 60);
    }
    // The tally in a few short lines, as the panel and the pause screen show it.
    std::vector<std::string> lines() const {
        return {"Skulls killed " + std::to_string(levelKills + calledKills) + " (" +
                    std::to_string(calledKills) + " called up), " + std::to_string(skullsLeft) +
                    " left",
                "Blows taken " + std::to_string(blowsTaken) + ", given " +
                    std::to_string(blowsGiven) + ", missed " + std::to_string(misses),
                "Time " + clock(timeMs) + ", saves " + std::to_string(saves)};
    }
    // In one line, for the map's foot.
    std::string line() const {
        return "Kills " + std::to_string(levelKills + calledKills) + "  Left " +
               std::to_string(skullsLeft) + "  Taken " + std::to_string(blowsTaken) +
               "  Blows given " + std::to_string(blowsGiven) + ", missed " +
               std::to_string(misses) + "  " + clock(timeMs) + "  Saves " + std::to_string(saves);
    }
};
