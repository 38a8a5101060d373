#pragma once

#include "core/Trackable.h"
#include "units/PathNode.h"
#include "world/MapGrid.h"

#include <array>
#include <cstdint>
#include <vector>

// A* over the four-connected grid, run afresh for each unit each frame. It answers
// only the first cell to walk to on the way from a unit's cell to the player's.
//
// The answer is fixed down to its ties: the node expanded next is the open node of
// the target cell if there is one, else the one with the smallest f, then smallest g,
// then the one found first; neighbours are tried north, south, west, east (y - 1,
// y + 1, x - 1, x + 1); a node keeps the parent it was found from. Open nodes sit in
// a binary heap ordered by exactly that rule and each cell remembers whether it has
// been met, so a search over the whole grid costs a few microseconds, not a
// millisecond of list scans. A search that could only end in "no way" (the target lies
// in another walled-off region of the grid) is not run at all: the grid's connected
// open regions are labelled whenever the grid has changed, and the answer is the same.
//
// A search's answer depends only on the grid, its start cell and its target cell, so
// the answers are kept for the target of the last search while the grid stays as it
// was: a crowd searches once per cell it stands on, and not again until the player
// steps into another cell or the grid changes.
class PathFinder : public Trackable {
  public:
    static const int32_t STEP_COST = 10;

    explicit PathFinder(int** grid);

    // Writes the first step from (startX, startY) toward (targetX, targetY) into outX
    // and outY. With no way there, or a target outside the grid, they are left as
    // they were. A blocked target prints its cell value and answers the start cell.
    void findPath(int32_t startX, int32_t startY, int32_t targetX, int32_t targetY, int32_t& outX,
                  int32_t& outY);
    // Whether a blocked target's cell value is printed, as the design's search does; the
    // editor's play of a level still in the making keeps the console quiet.
    bool saysBlockedTarget = true;

    // Heap of the open nodes, each as its choice key (see chooseKey); the node of the
    // target cell is kept apart, since it is chosen as soon as it is found.
    std::vector<uint64_t> openList;
    // The nodes in the order they were chosen.
    std::vector<PathNode*> closedList;
    int** grid;

    // When set, every node the search chooses is copied here, in order: a window onto
    // the search for tests and for whoever wants to see why a unit went where it went.
    std::vector<PathNode>* choiceLog = nullptr;

  private:
    static const int CELL_COUNT = MAP_SIZE * MAP_SIZE;
    static constexpr uint16_t NO_REGION = 0;

    // Labels the open regions again if the grid differs from the one last labelled, and
    // then forgets every kept answer.
    void refreshRegions();
    // A kept answer for this search, written out; false when there is none.
    bool answerKept(int32_t startX, int32_t startY, int32_t targetX, int32_t targetY, int32_t& outX,
                    int32_t& outY);
    void keepAnswer(int32_t startX, int32_t startY, bool found, int32_t stepX, int32_t stepY);
    void labelRegion(int cell, uint16_t label);
    // Whether a search from start could reach the target's region: from an open start,
    // its own region; from a walled start or one just outside the grid, the regions of
    // its open neighbours, which is where such a search goes first.
    bool mayReach(int32_t startX, int32_t startY, int32_t targetX, int32_t targetY);

    PathNode* makeNode(int32_t x, int32_t y, PathNode* parent);
    void openNode(PathNode* node);
    PathNode* takeCheapestOpenNode();
    void choose(PathNode* node);
    void expand(PathNode* current);
    bool search();
    void startSearch(int32_t startX, int32_t startY, int32_t targetX, int32_t targetY);
    void endSearch();

    static uint64_t chooseKey(const PathNode& node, std::size_t order);
    static const PathNode* firstStep(const PathNode* reached);

    // Every node of one search, in the order made; reserved once for all of them, so
    // that the pointers between them stay valid.
    std::vector<PathNode> nodes;
    // Cells already met in this search, open or closed; indexed x * MAP_SIZE + y.
    std::array<bool, CELL_COUNT> met{};
    // The grid as it was when its regions were labelled, and each cell's region (walls
    // have none).
    std::array<int, CELL_COUNT> labelledGrid{};
    std::array<uint16_t, CELL_COUNT> region{};
    bool regionsLabelled = false;
    // The first steps found toward the kept target, by start cell.
    struct KeptStep {
        bool known = false;
        bool found = false; // false: no way there, outputs left alone
        int32_t x = 0;
        int32_t y = 0;
    };
    std::array<KeptStep, CELL_COUNT> keptSteps{};
    int32_t keptTargetX = -1;
    int32_t keptTargetY = -1;
    PathNode* targetNode = nullptr;
    int32_t targetX = 0;
    int32_t targetY = 0;
};
