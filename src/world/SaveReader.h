#pragma once

#include "world/LevelFile.h"
#include "world/MapGrid.h"

#include <istream>
#include <optional>

// A save file as read back. Saves are read loosely: keys in any order and any number
// of times (the last position or statistic wins), lines without a key skipped, text
// after a number ignored. Each line is tried against the keys in turn, each test on
// what the earlier ones left, so "x:y:7" sets x to 0 and then y to 7. A key counts
// only at the very start of the line, in lower case.
//
// Nothing in the file can put the player or a unit outside the grid: such positions
// and unit lines are dropped, and numbers too large for an int saturate. Lines longer
// than any key and number need, and files past a megabyte, are read only so far.
class SaveReader {
  public:
    // "units:0" says a save holds no unit: the level was cleared. Readers before it skip
    // the line, as every line without a key they know.
    static constexpr const char* UNIT_COUNT_KEY = "units:";
    // The map's lines: "map:1" says the save keeps one; "seen:X " and MAP_SIZE 0s and 1s
    // a row of cells seen; "mark:N X Y" the player's Nth mark, N from 1 to MAX_MARKS.
    static constexpr const char* MAP_KEY = "map:";
    // "skill:WORD": the skill the game is played at; a save without it, as designed.
    static constexpr const char* SKILL_KEY = "skill:";
    static constexpr std::size_t SKILL_WORD_LIMIT = 32;
    // "level:FILE": the crypt's level the save belongs to, by its file name; a save
    // without it belongs to the level the game was started on.
    static constexpr const char* LEVEL_KEY = "level:";
    static constexpr std::size_t LEVEL_NAME_LIMIT = 64;
    static constexpr const char* SEEN_KEY = "seen:";
    static constexpr const char* MARK_KEY = "mark:";
    static constexpr int MAX_MARKS = 10;

    static SaveReader read(std::istream& in);

    std::optional<int> x;
    std::optional<int> y;
    std::optional<int> health;
    std::optional<int> mana;
    std::optional<int> stamina;
    // True when the file has a "unit:" or "units:" line: its units then replace the
    // level's, even if every one of them is dropped or there is none.
    bool replacesUnits = false;
    std::vector<LevelFile::UnitPlace> units;
    // The map: kept, its cells seen (x by y; all unseen unless the file says otherwise),
    // and its marks by number (those the file leaves out are gone, the rest keep order).
    std::string skill; // as written, at most SKILL_WORD_LIMIT characters
    std::string level; // as written, at most LEVEL_NAME_LIMIT characters
    bool keepsMap = false;
    std::vector<std::vector<bool>> seen =
        std::vector<std::vector<bool>>(MAP_SIZE, std::vector<bool>(MAP_SIZE, false));
    std::vector<LevelFile::UnitPlace> marks() const;
    // What was cut from an overlong line or file, to be said on the console.
    std::vector<std::string> problems;

  private:
    void readLine(const std::string& line);
    void readSeenRow(const char* text);
    void readMark(const char* text);

    std::vector<std::optional<LevelFile::UnitPlace>> markSlots =
        std::vector<std::optional<LevelFile::UnitPlace>>(MAX_MARKS);
};
