#pragma once

#include "render/MapView.h"
#include "screens/Screen.h"
#include "world/LevelDraft.h"

#include <string>
#include <vector>

// The level editor: the grid from above, drawn as the map draws it, with the cursor's cell
// outlined, the skulls and the start marked, a palette of the walls at the foot and, below
// it, what is wrong with the level and where.
//
// The pointer or the arrows move the cursor; 1 to 9 choose a wall, 0 floor. The left
// button (or Space) paints what is chosen, the right button (or Backspace) makes floor,
// and a drag paints a line. K puts a skull in the cursor's cell or takes it away, P puts
// the start there. Ctrl+Z and Ctrl+Y undo and redo; F5 plays the level at once; Ctrl+S
// saves (asking first for the name of a level that has none); Escape leaves, asking first
// when there are unsaved changes.
class EditorScreen : public Screen {
  public:
    struct Look {
        MapView::Palette palette;
        ALLEGRO_BITMAP* textures = nullptr; // the strip, for the palette's tiles
    };

    EditorScreen(const Fonts& fonts, const Look& look, const LevelDraft& draft, int cursorX,
                 int cursorY);

    // Next::Play (F5), Next::Save (Ctrl+S, the name known), Next::Back (leave) or
    // Next::Fullscreen; Next::Stay otherwise.
    Next update(const MenuCommand& command) override;
    void draw() const override;

    LevelDraft& draft() { return level; }
    const LevelDraft& draft() const { return level; }
    int cursorX() const { return cursor.x; }
    int cursorY() const { return cursor.y; }
    // Differs whenever the level does, so that the game checks it again only then.
    long version() const { return level.version(); }
    // What is wrong, in words, and the cells to outline.
    void problemsAre(const std::string& summary, const std::vector<LevelFile::UnitPlace>& cells);
    const std::string& problems() const { return problemSummary; }
    // A word at the foot for a few seconds' worth of frames: saved, or why not.
    void say(const std::string& words);
    // The file Ctrl+S writes (empty: one is made among the player's levels from the
    // level's name, which is asked for first when needsName is set); and the file it has
    // just written.
    void savesTo(const std::string& fileName, bool needsName);
    void savedTo(const std::string& fileName);
    // What the side says of it: where it goes, whether it was saved, or that changes are
    // not saved yet.
    std::string whereLine() const;
    // The line at the foot: a question, the name being typed, a word for a few seconds,
    // or what is wrong with the level.
    std::string footLine() const;

    static constexpr int CELL = 11;
    static constexpr int GRID_LEFT = 8;
    static constexpr int GRID_TOP = 8;
    static constexpr int GRID_SIZE = CELL * MAP_SIZE;
    static constexpr int SWATCH = 28;
    static constexpr int PALETTE_TOP = GRID_TOP + GRID_SIZE + 6;

  private:
    enum class Mode { Editing, Naming, AskingLeave };

    Next updateEditing(const MenuCommand& command);
    Next updateNaming(const MenuCommand& command);
    Next updateAskingLeave(const MenuCommand& command);
    void moveCursor(const MenuCommand& command);
    void paintWithPointer(const MenuCommand& command);
    void chooseWall(const MenuCommand& command);
    void takeKeys(const MenuCommand& command);
    bool pointerCell(const MenuCommand& command, LevelFile::UnitPlace& cell) const;
    int clickedSwatch(const MenuCommand& command) const;

    void drawGrid() const;
    void drawMarks() const;
    void drawPalette() const;
    void drawSide() const;
    void drawFoot() const;
    void outline(int x, int y, ALLEGRO_COLOR colour, float thickness) const;

    Fonts fonts;
    Look look;
    LevelDraft level;
    LevelFile::UnitPlace cursor;
    Mode mode = Mode::Editing;
    int wall = 1; // what Space and the left button paint: 1 to 9, or 0 for floor
    // The drag: which button paints, and the cell it last painted.
    int strokeValue = -1;
    LevelFile::UnitPlace strokeCell{0, 0};
    bool pointerRead = false;
    int32_t lastPointerX = 0, lastPointerY = 0;
    std::string problemSummary;
    std::vector<LevelFile::UnitPlace> problemCells;
    std::string note;
    int noteFrames = 0;
    std::string savesToFile;
    bool needsName = false;
    bool savedHere = false;
    std::string typedName;
    // Enter was pressed with no name typed: the prompt says a name is wanted.
    bool nameWanted = false;
};
