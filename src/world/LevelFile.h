#pragma once

#include "core/LevelInfo.h"
#include "world/LineReader.h"

#include <istream>
#include <optional>
#include <string>
#include <vector>

// A level as read from its text file: MAP_SIZE grid lines, then "unit:X Y" lines, and
// what may be told of it besides: "name:" its name, "start:X Y" where Play puts the
// player, "par:SECONDS" the time to beat. Other lines are skipped.
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

    static constexpr std::size_t NAME_LIMIT = 40;
    static constexpr int PAR_LIMIT = LevelInfo::PAR_LIMIT;

    // Fills grid (MAP_SIZE by MAP_SIZE) from the stream and collects the unit lines.
    static LevelFile read(std::istream& in, int** grid);
    // The text of a level: the grid's rows, then its name, start and par where it has
    // them, then its units; read back, it gives the same level.
    static std::string compose(const int* const* grid, const LevelFile& level);

    std::vector<UnitPlace> units;
    std::string name; // printable, at most NAME_LIMIT characters; empty when not told
    std::optional<UnitPlace> start;
    std::optional<int> parSeconds; // from 1 to PAR_LIMIT
    std::vector<std::string> problems;

  private:
    void readGrid(LineReader& lines, int** grid);
    void readGridLine(const std::string& line, int lineNumber, int* row);
    void readKeyLine(const std::string& line);
    void readUnitLine(const std::string& value);
    void readStart(const std::string& value);
    void readPar(const std::string& value);
};
