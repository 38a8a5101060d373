#pragma once

#include "units/PathNode.h"

#include <cstdint>
#include <vector>

// The path search written the plain way: both lists scanned from end to end for every
// choice and every neighbour. Slow, but easy to check against its description line by
// line; the game's PathFinder must answer exactly as this one does.
class LiteralPathFinder {
  public:
    explicit LiteralPathFinder(int** grid) : grid(grid) {}

    void findPath(int32_t startX, int32_t startY, int32_t targetX, int32_t targetY, int32_t& outX,
                  int32_t& outY);

    std::vector<PathNode*> openList;
    std::vector<PathNode*> closedList;
    int** grid;
    std::vector<PathNode>* choiceLog = nullptr;

  private:
    PathNode* chooseCurrent(const PathNode& target) const;
    bool isListed(int32_t x, int32_t y) const;
    void expand(PathNode* current, const PathNode& target);
};
