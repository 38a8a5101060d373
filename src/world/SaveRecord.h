#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What a save holds, as the game hands it to the writer: the player's place and
// statistics and where each unit stands, in the units' list order. Positions are in
// grid cells; the file keeps only their whole cells.
struct SaveRecord {
    struct Place {
        double x = 0.0;
        double y = 0.0;
    };

    Place player;
    int32_t health = 0;
    int32_t mana = 0;
    int32_t stamina = 0;
    std::vector<Place> units;
    // The skill the game is played at, by its word; empty as designed, which writes nothing.
    std::string skill;
    // The crypt's level by its file name; empty for the level the game starts on.
    std::string level;
    // The map, when the game keeps one: the cells seen, x by y, and the marks in order.
    bool keepsMap = false;
    std::vector<std::vector<bool>> seen; // MAP_SIZE rows of MAP_SIZE
    std::vector<Place> marks;
};
