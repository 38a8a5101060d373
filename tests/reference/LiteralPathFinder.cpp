#include "LiteralPathFinder.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>

namespace {

const int32_t SIZE = 30;

void computeCosts(PathNode& node, const PathNode& target) {
    node.g = node.parent != nullptr ? node.parent->g + 10 : 0;
    node.h = std::abs(node.x - target.x) + 10 * std::abs(node.y - target.y);
    node.f = node.g + node.h;
}

bool sameCell(const PathNode& a, const PathNode& b) {
    return a.x == b.x && a.y == b.y;
}

} // namespace

void LiteralPathFinder::findPath(int32_t startX, int32_t startY, int32_t targetX, int32_t targetY,
                                 int32_t& outX, int32_t& outY) {
    PathNode* start = new PathNode{startX, startY, nullptr, 0, 0, 0};
    PathNode* target = new PathNode{targetX, targetY, nullptr, 0, 0, 0};
    computeCosts(*start, *target);
    openList.push_back(start);
    while (!openList.empty()) {
        PathNode* current = chooseCurrent(*target);
        if (choiceLog != nullptr) {
            choiceLog->push_back(*current);
        }
        bool found = false;
        int32_t resultX = 0;
        int32_t resultY = 0;
        if (grid[targetX][targetY] != 0) {
            std::cout << grid[targetX][targetY] << std::endl;
            found = true;
            resultX = startX;
            resultY = startY;
        }
        if (startX == targetX && startY == targetY) {
            found = true;
            resultX = startX;
            resultY = startY;
        }
        if (!found && sameCell(*current, *target)) {
            found = true;
            const PathNode* step = current;
            while (step->parent != nullptr && step->parent->parent != nullptr) {
                step = step->parent;
            }
            resultX = step->x;
            resultY = step->y;
        }
        closedList.push_back(current);
        openList.erase(std::find(openList.begin(), openList.end(), current));
        if (found) {
            outX = resultX;
            outY = resultY;
            break;
        }
        expand(current, *target);
    }
    for (PathNode* node : openList) {
        delete node;
    }
    for (PathNode* node : closedList) {
        delete node;
    }
    delete target;
    openList.clear();
    closedList.clear();
}

PathNode* LiteralPathFinder::chooseCurrent(const PathNode& target) const {
    PathNode* current = openList.front();
    for (PathNode* node : openList) {
        if (sameCell(*node, target)) {
            return node;
        }
        if (node->f < current->f || (node->f == current->f && node->g < current->g)) {
            current = node;
        }
    }
    return current;
}

bool LiteralPathFinder::isListed(int32_t x, int32_t y) const {
    for (const PathNode* node : openList) {
        if (node->x == x && node->y == y) {
            return true;
        }
    }
    for (const PathNode* node : closedList) {
        if (node->x == x && node->y == y) {
            return true;
        }
    }
    return false;
}

void LiteralPathFinder::expand(PathNode* current, const PathNode& target) {
    const int32_t cx = current->x;
    const int32_t cy = current->y;
    const int32_t neighbours[4][2] = {{cx, cy - 1}, {cx, cy + 1}, {cx - 1, cy}, {cx + 1, cy}};
    for (const auto& cell : neighbours) {
        const int32_t x = cell[0];
        const int32_t y = cell[1];
        if (x < 0 || x >= SIZE || y < 0 || y >= SIZE || grid[x][y] != 0 || isListed(x, y)) {
            continue;
        }
        PathNode* node = new PathNode{x, y, current, 0, 0, 0};
        computeCosts(*node, target);
        openList.push_back(node);
    }
}
