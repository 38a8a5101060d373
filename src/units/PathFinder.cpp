#include "units/PathFinder.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iostream>

namespace {

// Key layout, most significant first: f, g, then the order the node was made in, so
// that the smallest key is the node the rule picks. Twenty bits each hold far more
// than a 30 by 30 grid can produce (g stays under 10 * 901, f under g + 330).
const int ORDER_BITS = 20;
const int G_SHIFT = ORDER_BITS;
const int F_SHIFT = 2 * ORDER_BITS;
const uint64_t ORDER_MASK = (uint64_t{1} << ORDER_BITS) - 1;

// A start more than one cell outside the grid has no neighbour in it.
bool startCanReachGrid(int32_t x, int32_t y) {
    return x >= -1 && x <= MAP_SIZE && y >= -1 && y <= MAP_SIZE;
}

} // namespace

PathFinder::PathFinder(int** grid) : grid(grid) {
    nodes.reserve(CELL_COUNT + 1); // every cell once, and a start outside the grid
    openList.reserve(CELL_COUNT);
    closedList.reserve(CELL_COUNT + 1);
}

void PathFinder::findPath(int32_t startX, int32_t startY, int32_t targetX, int32_t targetY,
                          int32_t& outX, int32_t& outY) {
    if (!MapGrid::contains(targetX, targetY)) {
        return;
    }
    const bool startNearGrid = startCanReachGrid(startX, startY);
    const int targetCell = grid[targetX][targetY];
    if (targetCell != 0 || (startX == targetX && startY == targetY)) {
        // Nowhere to go: the unit stays on its own cell. A walled-in target is said on
        // the console, as the search has always done.
        if (targetCell != 0 && saysBlockedTarget) {
            std::cout << targetCell << std::endl;
        }
        if (startNearGrid) {
            startSearch(startX, startY, targetX, targetY);
            choose(&nodes.front());
        }
        outX = startX;
        outY = startY;
    } else if (startNearGrid && mayReach(startX, startY, targetX, targetY)) {
        if (answerKept(startX, startY, targetX, targetY, outX, outY)) {
            return;
        }
        startSearch(startX, startY, targetX, targetY);
        const bool found = search();
        const PathNode* step = found ? firstStep(targetNode) : nullptr;
        if (found) {
            outX = step->x;
            outY = step->y;
        }
        keepAnswer(startX, startY, found, found ? step->x : 0, found ? step->y : 0);
    }
    endSearch();
}

bool PathFinder::answerKept(int32_t startX, int32_t startY, int32_t targetX, int32_t targetY,
                            int32_t& outX, int32_t& outY) {
    if (targetX != keptTargetX || targetY != keptTargetY) {
        keptSteps.fill(KeptStep());
        keptTargetX = targetX;
        keptTargetY = targetY;
    }
    // A logged search must really run, so that its choices are seen.
    if (choiceLog != nullptr || !MapGrid::contains(startX, startY)) {
        return false;
    }
    const KeptStep& kept = keptSteps[startX * MAP_SIZE + startY];
    if (!kept.known) {
        return false;
    }
    if (kept.found) {
        outX = kept.x;
        outY = kept.y;
    }
    return true;
}

void PathFinder::keepAnswer(int32_t startX, int32_t startY, bool found, int32_t stepX,
                            int32_t stepY) {
    if (MapGrid::contains(startX, startY)) {
        keptSteps[startX * MAP_SIZE + startY] = {true, found, stepX, stepY};
    }
}

bool PathFinder::mayReach(int32_t startX, int32_t startY, int32_t targetX, int32_t targetY) {
    refreshRegions();
    const uint16_t wanted = region[targetX * MAP_SIZE + targetY];
    if (MapGrid::contains(startX, startY) && grid[startX][startY] == 0) {
        return region[startX * MAP_SIZE + startY] == wanted;
    }
    const int32_t neighbours[4][2] = {
        {startX, startY - 1}, {startX, startY + 1}, {startX - 1, startY}, {startX + 1, startY}};
    for (const auto& cell : neighbours) {
        if (MapGrid::contains(cell[0], cell[1]) && region[cell[0] * MAP_SIZE + cell[1]] == wanted) {
            return true;
        }
    }
    return false;
}

void PathFinder::refreshRegions() {
    bool same = regionsLabelled;
    for (int x = 0; x < MAP_SIZE && same; ++x) {
        same = std::equal(grid[x], grid[x] + MAP_SIZE, &labelledGrid[x * MAP_SIZE]);
    }
    if (same) {
        return;
    }
    for (int x = 0; x < MAP_SIZE; ++x) {
        std::copy(grid[x], grid[x] + MAP_SIZE, &labelledGrid[x * MAP_SIZE]);
    }
    keptSteps.fill(KeptStep()); // answered on another grid
    region.fill(NO_REGION);
    uint16_t next = NO_REGION;
    for (int cell = 0; cell < CELL_COUNT; ++cell) {
        if (labelledGrid[cell] == 0 && region[cell] == NO_REGION) {
            labelRegion(cell, ++next);
        }
    }
    regionsLabelled = true;
}

// Every open cell joined to this one, four ways, gets the label.
void PathFinder::labelRegion(int cell, uint16_t label) {
    std::array<int, CELL_COUNT> pending;
    int count = 0;
    region[cell] = label;
    pending[count++] = cell;
    while (count > 0) {
        const int current = pending[--count];
        const int x = current / MAP_SIZE;
        const int y = current % MAP_SIZE;
        const int32_t neighbours[4][2] = {{x, y - 1}, {x, y + 1}, {x - 1, y}, {x + 1, y}};
        for (const auto& next : neighbours) {
            const int index = next[0] * MAP_SIZE + next[1];
            if (MapGrid::contains(next[0], next[1]) && labelledGrid[index] == 0 &&
                region[index] == NO_REGION) {
                region[index] = label;
                pending[count++] = index;
            }
        }
    }
}

void PathFinder::startSearch(int32_t startX, int32_t startY, int32_t targetX, int32_t targetY) {
    this->targetX = targetX;
    this->targetY = targetY;
    met.fill(false);
    openNode(makeNode(startX, startY, nullptr));
}

// Expands nodes until the target's node is chosen (true) or nothing is left open.
bool PathFinder::search() {
    while (targetNode != nullptr || !openList.empty()) {
        PathNode* current = targetNode != nullptr ? targetNode : takeCheapestOpenNode();
        choose(current);
        if (current == targetNode) {
            return true;
        }
        expand(current);
    }
    return false;
}

void PathFinder::endSearch() {
    openList.clear();
    closedList.clear();
    nodes.clear();
    targetNode = nullptr;
}

PathNode* PathFinder::makeNode(int32_t x, int32_t y, PathNode* parent) {
    nodes.push_back(PathNode{x, y, parent, 0, 0, 0});
    PathNode& node = nodes.back();
    node.g = parent != nullptr ? parent->g + STEP_COST : 0;
    // Across the first index a cell counts once, across the second ten times.
    node.h = std::abs(x - targetX) + 10 * std::abs(y - targetY);
    node.f = node.g + node.h;
    if (MapGrid::contains(x, y)) {
        met[x * MAP_SIZE + y] = true;
    }
    return &node;
}

void PathFinder::openNode(PathNode* node) {
    if (node->x == targetX && node->y == targetY) {
        targetNode = node;
        return;
    }
    openList.push_back(chooseKey(*node, static_cast<std::size_t>(node - nodes.data())));
    std::push_heap(openList.begin(), openList.end(), std::greater<uint64_t>());
}

PathNode* PathFinder::takeCheapestOpenNode() {
    std::pop_heap(openList.begin(), openList.end(), std::greater<uint64_t>());
    const uint64_t key = openList.back();
    openList.pop_back();
    return &nodes[key & ORDER_MASK];
}

void PathFinder::choose(PathNode* node) {
    closedList.push_back(node);
    if (choiceLog != nullptr) {
        choiceLog->push_back(*node);
    }
}

void PathFinder::expand(PathNode* current) {
    const int32_t x = current->x;
    const int32_t y = current->y;
    const int32_t neighbours[4][2] = {{x, y - 1}, {x, y + 1}, {x - 1, y}, {x + 1, y}};
    for (const auto& cell : neighbours) {
        const int32_t nx = cell[0];
        const int32_t ny = cell[1];
        if (MapGrid::contains(nx, ny) && grid[nx][ny] == 0 && !met[nx * MAP_SIZE + ny]) {
            openNode(makeNode(nx, ny, current));
        }
    }
}

uint64_t PathFinder::chooseKey(const PathNode& node, std::size_t order) {
    return (static_cast<uint64_t>(node.f) << F_SHIFT) | (static_cast<uint64_t>(node.g) << G_SHIFT) |
           static_cast<uint64_t>(order);
}

// The node one step from the start on the way to `reached`.
const PathNode* PathFinder::firstStep(const PathNode* reached) {
    while (reached->parent->parent != nullptr) {
        reached = reached->parent;
    }
    return reached;
}
