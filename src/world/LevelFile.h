#pragma once

#include "world/LineReader.h"

#include <istream>
#include <string>
#include <vector>

// A level as read from its text file: MAP_SIZE grid lines, then "unit:X Y" lines.
// Reading never fails and never reads past what the file holds: a missing line or
// character is open floor, and what looked wrong is listed in problems. Lines and the
// file are read only so far (see LevelFile.cpp), so an endless one cannot swamp the game.
class LevelFile {
  public:
    struct UnitPlace {
        int x;
        int y;
    };

    // How much of a level or save file the game reads: more than the readers take, so
    // that they see the text run on and say what they left.
    static constexpr std::size_t FILE_LIMIT = 2 * LineReader::TEXT_LIMIT;

    // The level the game ships, which Play and Load start from unless told otherwise.
    static constexpr const char* SHIPPED_PATH = "levels/RirUdodu.lev";

    // Fills grid (MAP_SIZE by MAP_SIZE) from the stream and collects the unit lines.
    static LevelFile read(std::istream& in, int** grid);

    std::vector<UnitPlace> units;
    std::vector<std::string> problems;

  private:
    void readGrid(LineReader& lines, int** grid);
    void readGridLine(const std::string& line, int lineNumber, int* row);
    void readUnitLine(const std::string& line);
};
