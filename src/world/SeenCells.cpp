#include "world/SeenCells.h"

void SeenCells::clear() {
    cells.fill(0);
    seenInLook.fill(0);
    look = 1;
    placedMarks.clear();
    kept = false;
}

void SeenCells::see(int x, int y) {
    if (MapGrid::contains(x, y)) {
        cells[static_cast<std::size_t>(index(x, y))] = 1;
        seenInLook[static_cast<std::size_t>(index(x, y))] = look;
    }
}

bool SeenCells::seen(int x, int y) const {
    return MapGrid::contains(x, y) && cells[static_cast<std::size_t>(index(x, y))] != 0;
}

bool SeenCells::seenNow(int x, int y) const {
    return MapGrid::contains(x, y) && seenInLook[static_cast<std::size_t>(index(x, y))] == look;
}

int SeenCells::count() const {
    int seenCount = 0;
    for (uint8_t cell : cells) {
        seenCount += cell;
    }
    return seenCount;
}

bool SeenCells::addMark(double x, double y) {
    const bool inside =
        x >= 0.0 && y >= 0.0 && MapGrid::contains(static_cast<int>(x), static_cast<int>(y));
    if (static_cast<int>(placedMarks.size()) >= MAX_MARKS || !inside) {
        return false;
    }
    placedMarks.push_back({x, y});
    return true;
}

void SeenCells::toggleMark(double x, double y) {
    const Mark here{x, y};
    for (auto mark = placedMarks.begin(); mark != placedMarks.end(); ++mark) {
        if (mark->cellX() == here.cellX() && mark->cellY() == here.cellY()) {
            placedMarks.erase(mark);
            return;
        }
    }
    addMark(x, y);
}
