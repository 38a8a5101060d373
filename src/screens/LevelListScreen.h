#pragma once

#include "core/LevelInfo.h"
#include "screens/Screen.h"

#include <string>
#include <vector>

// The list of levels: the crypt's in their order, then the player's own, each with its
// best time and par. Up and Down (or a click) choose; Enter plays, E edits, N makes a new
// level, Delete removes one of the player's own after a yes; Escape goes back.
class LevelListScreen : public Screen {
  public:
    LevelListScreen(const Fonts& fonts, const std::vector<LevelInfo>& levels, int selected);

    // Next::Play, Next::Edit (a new level when makingNew()), Next::Remove, Next::Back.
    Next update(const MenuCommand& command) override;
    void draw() const override;

    int selected() const { return chosen; }
    bool makingNew() const { return newLevel; }
    // Said at the foot: why a level could not be removed, or that it was; or the question
    // before one is removed.
    void say(const std::string& words) { footNote = words; }
    const std::string& said() const { return footNote; }

    // "1:23 (par 2:00)", "not cleared (par 2:00)", or without a par.
    static std::string bestLine(const LevelInfo& level);

    static constexpr int TOP = 70;
    static constexpr int ROW_HEIGHT = 20;
    static constexpr int VISIBLE_ROWS = 13;

  private:
    int32_t clickedRow(const MenuCommand& command) const;
    void drawRow(int row, float y) const;

    Fonts fonts;
    std::vector<LevelInfo> levels;
    int chosen = 0;
    int firstShown = 0;
    bool newLevel = false;
    bool askingRemove = false;
    std::string footNote;
};
