#include "world/LevelDraft.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

LevelDraft::LevelDraft() {
    for (int x = 0; x < MAP_SIZE; ++x) {
        for (int y = 0; y < MAP_SIZE; ++y) {
            const bool border = x == 0 || y == 0 || x == MAP_SIZE - 1 || y == MAP_SIZE - 1;
            current.cells[index(x, y)] = border ? 1 : 0;
        }
    }
}

LevelDraft LevelDraft::fromText(const std::string& text, const std::string& untoldName) {
    LevelDraft draft;
    std::istringstream in(text);
    const LevelFile level = LevelFile::read(in, draft.grid());
    for (const LevelFile::UnitPlace& unit : level.units) {
        draft.current.skulls.push_back(unit);
    }
    draft.current.start = level.start.value_or(LevelFile::UnitPlace{USUAL_START, USUAL_START});
    draft.current.name =
        level.name.empty() ? untoldName.substr(0, LevelFile::NAME_LIMIT) : level.name;
    draft.current.parSeconds = level.parSeconds.value_or(0);
    return draft;
}

std::string LevelDraft::text() const {
    std::array<const int*, MAP_SIZE> grid{};
    for (int x = 0; x < MAP_SIZE; ++x) {
        grid[static_cast<std::size_t>(x)] = row(x);
    }
    LevelFile level;
    level.units = current.skulls;
    level.name = current.name;
    // The usual start is written all the same: a level made here says where it begins.
    level.start = current.start;
    if (current.parSeconds > 0) {
        level.parSeconds = current.parSeconds;
    }
    return LevelFile::compose(grid.data(), level);
}

int** LevelDraft::grid() {
    for (int x = 0; x < MAP_SIZE; ++x) {
        rows[static_cast<std::size_t>(x)] = &current.cells[index(x, 0)];
    }
    return rows.data();
}

bool LevelDraft::hasSkull(int x, int y) const {
    return std::any_of(current.skulls.begin(), current.skulls.end(),
                       [&](const LevelFile::UnitPlace& s) { return s.x == x && s.y == y; });
}

void LevelDraft::step() {
    if (stroking && strokeStepped) {
        return;
    }
    strokeStepped = stroking;
    undone.push_back(current);
    if (undone.size() > UNDO_LIMIT) {
        undone.pop_front();
    }
    redone.clear();
    current.id = ++lastId;
}

void LevelDraft::paint(int x, int y, int value) {
    if (!MapGrid::contains(x, y) || value < 0 || value > 9 || cell(x, y) == value) {
        return;
    }
    step();
    current.cells[index(x, y)] = value;
}

// Bresenham's line: every cell it passes is painted, the ends included, so that a quick
// drag leaves no gaps.
void LevelDraft::paintLine(int fromX, int fromY, int toX, int toY, int value) {
    const int dx = std::abs(toX - fromX);
    const int dy = -std::abs(toY - fromY);
    const int stepX = fromX < toX ? 1 : -1;
    const int stepY = fromY < toY ? 1 : -1;
    int error = dx + dy;
    int x = fromX;
    int y = fromY;
    while (true) {
        paint(x, y, value);
        if (x == toX && y == toY) {
            return;
        }
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            x += stepX;
        }
        if (doubled <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

void LevelDraft::beginStroke() {
    stroking = true;
    strokeStepped = false;
}

void LevelDraft::endStroke() {
    stroking = false;
    strokeStepped = false;
}

void LevelDraft::toggleSkull(int x, int y) {
    if (!MapGrid::contains(x, y)) {
        return;
    }
    step();
    std::vector<LevelFile::UnitPlace>& skulls = current.skulls;
    const auto here =
        std::find_if(skulls.begin(), skulls.end(),
                     [&](const LevelFile::UnitPlace& s) { return s.x == x && s.y == y; });
    if (here != skulls.end()) {
        skulls.erase(here);
    } else {
        skulls.push_back({x, y});
    }
}

void LevelDraft::placeStart(int x, int y) {
    if (!MapGrid::contains(x, y) || (current.start.x == x && current.start.y == y)) {
        return;
    }
    step();
    current.start = {x, y};
}

void LevelDraft::rename(const std::string& name) {
    if (name == current.name) {
        return;
    }
    step();
    current.name = name.substr(0, LevelFile::NAME_LIMIT);
}

bool LevelDraft::undo() {
    endStroke();
    if (undone.empty()) {
        return false;
    }
    redone.push_back(current);
    current = undone.back();
    undone.pop_back();
    return true;
}

bool LevelDraft::redo() {
    endStroke();
    if (redone.empty()) {
        return false;
    }
    undone.push_back(current);
    current = redone.back();
    redone.pop_back();
    return true;
}
