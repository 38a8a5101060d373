#pragma once

#include <cstdint>
#include <string>

// One level as the list of levels shows it and play goes through it: the crypt's levels
// in the order of the crypt's own file, then the player's.
struct LevelInfo {
    std::string path; // where the level file is, to read and to write
    // How saves and the best times name it: the file's name for the crypt's levels,
    // "own/" and the file's name for the player's.
    std::string key;
    std::string name;   // as shown; the file's name when the level tells none
    int parSeconds = 0; // 0: no par
    bool own = false;
    int64_t bestMs = -1; // the best time it was cleared in; -1: never cleared

    static constexpr const char* OWN_PREFIX = "own/";
    // The crypt's first level, the one the game always shipped.
    static constexpr const char* SHIPPED_FILE = "RirUdodu.lev";
    // The longest par, in seconds: the tally shows minutes and seconds.
    static constexpr int PAR_LIMIT = 99 * 60 + 59;
};
