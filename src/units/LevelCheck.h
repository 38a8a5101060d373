#pragma once

#include "world/LevelDraft.h"

#include <string>
#include <vector>

// What is wrong with a level, cell by cell, as the editor's foot line says it: an open
// cell on the border (the rays and steps would leave the grid), the start in a wall, a
// skull in a wall, a skull that no path leads from to the start. Whether a path leads
// there is asked of the game's own search, so the editor and the skulls agree.
class LevelCheck {
  public:
    struct Problem {
        int x = 0;
        int y = 0;
        std::string what;
    };

    static std::vector<Problem> check(LevelDraft& draft);
    // The first problem in words, with its cell, and how many more there are.
    static std::string summary(const std::vector<Problem>& problems);
};
