#include "units/LevelCheck.h"

#include "units/PathFinder.h"

namespace {

bool onBorder(int x, int y) {
    return x == 0 || y == 0 || x == MAP_SIZE - 1 || y == MAP_SIZE - 1;
}

void checkBorder(const LevelDraft& draft, std::vector<LevelCheck::Problem>& problems) {
    for (int x = 0; x < MAP_SIZE; ++x) {
        for (int y = 0; y < MAP_SIZE; ++y) {
            if (onBorder(x, y) && draft.cell(x, y) == 0) {
                problems.push_back({x, y, "open border cell"});
            }
        }
    }
}

// The search answers a first step toward the start, or leaves the answer as it was when
// there is no way.
bool pathLeads(PathFinder& search, int fromX, int fromY, int toX, int toY) {
    if (fromX == toX && fromY == toY) {
        return true;
    }
    int32_t stepX = -1;
    int32_t stepY = -1;
    search.findPath(fromX, fromY, toX, toY, stepX, stepY);
    return stepX != -1;
}

} // namespace

std::vector<LevelCheck::Problem> LevelCheck::check(LevelDraft& draft) {
    std::vector<Problem> problems;
    checkBorder(draft, problems);
    const LevelFile::UnitPlace start = draft.start();
    const bool startOpen = draft.cell(start.x, start.y) == 0;
    if (!startOpen) {
        problems.push_back({start.x, start.y, "the start is in a wall"});
    }
    PathFinder search(draft.grid());
    for (const LevelFile::UnitPlace& skull : draft.skulls()) {
        if (draft.cell(skull.x, skull.y) != 0) {
            problems.push_back({skull.x, skull.y, "a skull in a wall"});
        } else if (startOpen && !pathLeads(search, skull.x, skull.y, start.x, start.y)) {
            problems.push_back({skull.x, skull.y, "no path from this skull to the start"});
        }
    }
    return problems;
}

std::string LevelCheck::summary(const std::vector<Problem>& problems) {
    if (problems.empty()) {
        return "";
    }
    const Problem& first = problems.front();
    std::string text =
        first.what + " at " + std::to_string(first.x) + " " + std::to_string(first.y);
    if (problems.size() > 1) {
        text += " (and " + std::to_string(problems.size() - 1) + " more)";
    }
    return text;
}
