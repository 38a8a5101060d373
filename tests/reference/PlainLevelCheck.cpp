#include "reference/PlainLevelCheck.h"

#include <deque>

std::set<std::tuple<int, int, std::string>> PlainLevelCheck::problems(const Level& level) {
    const int size = static_cast<int>(level.cells.size());
    auto open = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < size && y < size && level.cells[x][y] == 0;
    };
    std::set<std::tuple<int, int, std::string>> found;
    for (int x = 0; x < size; ++x) {
        for (int y = 0; y < size; ++y) {
            const bool border = x == 0 || y == 0 || x == size - 1 || y == size - 1;
            if (border && open(x, y)) {
                found.insert({x, y, "open border cell"});
            }
        }
    }
    const auto [startX, startY] = level.start;
    if (!open(startX, startY)) {
        found.insert({startX, startY, "the start is in a wall"});
    }
    std::vector<std::vector<bool>> reached(size, std::vector<bool>(size, false));
    std::deque<std::pair<int, int>> flood;
    if (open(startX, startY)) {
        reached[startX][startY] = true;
        flood.push_back(level.start);
    }
    while (!flood.empty()) {
        const auto [x, y] = flood.front();
        flood.pop_front();
        for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
            if (open(x + dx, y + dy) && !reached[x + dx][y + dy]) {
                reached[x + dx][y + dy] = true;
                flood.push_back({x + dx, y + dy});
            }
        }
    }
    for (const auto& [x, y] : level.skulls) {
        if (!open(x, y)) {
            found.insert({x, y, "a skull in a wall"});
        } else if (open(startX, startY) && !reached[x][y]) {
            found.insert({x, y, "no path from this skull to the start"});
        }
    }
    return found;
}
