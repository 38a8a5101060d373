#pragma once

#include "world/LevelFile.h"
#include "world/MapGrid.h"

#include <array>
#include <cstddef>
#include <deque>
#include <string>

// A level as the editor holds it while it is being made: its cells, skulls, start, name
// and par, and the steps that made it, each of which can be undone and redone. Every
// change is one step, but a stroke (the button held while the pointer is dragged) is one
// step however many cells it paints.
class LevelDraft {
  public:
    static constexpr std::size_t UNDO_LIMIT = 200;
    // Where Play puts the player when the level does not say.
    static constexpr int USUAL_START = 22;

    // A level of floor walled all round, its start at the usual place.
    LevelDraft();
    // The level as read from its text (a level file's, never longer than its limit); one
    // whose file tells no name is called by the given one, with nothing to undo.
    static LevelDraft fromText(const std::string& text, const std::string& untoldName = "");
    // The text a level file holds.
    std::string text() const;

    int cell(int x, int y) const { return current.cells[index(x, y)]; }
    bool hasSkull(int x, int y) const;
    LevelFile::UnitPlace start() const { return current.start; }

    // A wall (1 to 9) or floor (0) in one cell, or along the line between two cells;
    // cells outside the grid are passed over.
    void paint(int x, int y, int value);
    void paintLine(int fromX, int fromY, int toX, int toY, int value);
    // A stroke: the changes between begin and end are one step to undo.
    void beginStroke();
    void endStroke();
    // A skull put in the cell, or the one there taken away.
    void toggleSkull(int x, int y);
    void placeStart(int x, int y);
    void rename(const std::string& name);

    bool undo();
    bool redo();
    std::size_t undoSteps() const { return undone.size(); }
    // Changed since it was made, read or last marked saved.
    bool changed() const { return current.id != savedId; }
    // Differs whenever the level does: each change, undo and redo gives another.
    long version() const { return current.id; }
    void markSaved() { savedId = current.id; }

    const std::string& name() const { return current.name; }
    int parSeconds() const { return current.parSeconds; }
    const std::vector<LevelFile::UnitPlace>& skulls() const { return current.skulls; }
    // The grid as the game reads it: row pointers into the cells.
    int** grid();
    const int* row(int x) const { return &current.cells[index(x, 0)]; }

  private:
    struct State {
        std::array<int, MAP_SIZE * MAP_SIZE> cells{};
        std::vector<LevelFile::UnitPlace> skulls;
        LevelFile::UnitPlace start{USUAL_START, USUAL_START};
        std::string name;
        int parSeconds = 0; // 0: none told
        // Each change makes a state of its own, so that undoing back to the saved one
        // reads as unchanged.
        long id = 0;
    };

    static int index(int x, int y) { return x * MAP_SIZE + y; }
    // Before a change: the state as it stands becomes a step to undo (once per stroke).
    void step();

    State current;
    std::deque<State> undone; // the latest last
    std::deque<State> redone;
    bool stroking = false;
    bool strokeStepped = false;
    long lastId = 0;
    long savedId = 0;
    std::array<int*, MAP_SIZE> rows{};
};
