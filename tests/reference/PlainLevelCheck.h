#pragma once

#include <set>
#include <string>
#include <tuple>
#include <vector>

// The editor's checks the plain way, for the game's to be held against: every cell looked
// at on its own, and where a skull can walk found by flooding the open cells from the
// start through their four sides, instead of asking the skulls' search.
class PlainLevelCheck {
  public:
    struct Level {
        std::vector<std::vector<int>> cells; // [x][y]
        std::vector<std::pair<int, int>> skulls;
        std::pair<int, int> start;
    };
    // (x, y, what) for each problem, in the words the game uses.
    static std::set<std::tuple<int, int, std::string>> problems(const Level& level);
};
