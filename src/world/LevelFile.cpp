#include "world/LevelFile.h"

#include "world/LineReader.h"
#include "world/MapGrid.h"
#include "world/NumberParser.h"

#include <algorithm>
#include <cctype>

namespace {

// Lines end at a line feed; a carriage return before it belongs to the line ending.
bool readLine(LineReader& in, std::string& line) {
    if (!in.next(line)) {
        return false;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return true;
}

int cellValue(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : 0;
}

// A name as the screens can show it: no longer than the limit, blanks around it gone (after
// the cut, so that a name read back from its own file stays the same), and any character
// outside printable ASCII a question mark.
std::string printableName(const std::string& text) {
    const std::string::size_type first = text.find_first_not_of(' ');
    std::string name = first == std::string::npos ? "" : text.substr(first, LevelFile::NAME_LIMIT);
    name.erase(name.find_last_not_of(' ') + 1);
    for (char& c : name) {
        if (c < ' ' || c > '~') {
            c = '?';
        }
    }
    return name;
}

} // namespace

LevelFile LevelFile::read(std::istream& in, int** grid) {
    LevelFile level;
    LineReader lines(in);
    level.readGrid(lines, grid);
    std::string line;
    while (readLine(lines, line)) {
        level.readKeyLine(line);
    }
    lines.reportCuts(level.problems);
    return level;
}

void LevelFile::readGrid(LineReader& lines, int** grid) {
    std::string line;
    for (int x = 0; x < MAP_SIZE; ++x) {
        if (!readLine(lines, line)) {
            problems.push_back("the grid has only " + std::to_string(x) + " of " +
                               std::to_string(MAP_SIZE) +
                               " lines; the missing rows are open floor");
            for (; x < MAP_SIZE; ++x) {
                std::fill(grid[x], grid[x] + MAP_SIZE, 0);
            }
            return;
        }
        readGridLine(line, x + 1, grid[x]);
    }
}

void LevelFile::readGridLine(const std::string& line, int lineNumber, int* row) {
    const int length = static_cast<int>(line.size());
    for (int y = 0; y < MAP_SIZE; ++y) {
        row[y] = y < length ? cellValue(line[y]) : 0;
    }
    if (length < MAP_SIZE) {
        problems.push_back("line " + std::to_string(lineNumber) + " has only " +
                           std::to_string(length) + " cells; the rest of it is open floor");
    }
}

void LevelFile::readKeyLine(const std::string& line) {
    const std::string::size_type colon = line.find(':');
    const std::string key = line.substr(0, colon);
    // Without a colon the whole line is both the key and the value.
    const std::string value = colon == std::string::npos ? line : line.substr(colon + 1);
    if (key == "unit") {
        readUnitLine(value);
    } else if (key == "name" && colon != std::string::npos) {
        name = printableName(value);
    } else if (key == "start" && colon != std::string::npos) {
        readStart(value);
    } else if (key == "par" && colon != std::string::npos) {
        readPar(value);
    }
}

void LevelFile::readStart(const std::string& value) {
    UnitPlace place{0, 0};
    const char* cursor = value.c_str();
    if (!NumberParser::readInt(cursor, place.x) || !NumberParser::readInt(cursor, place.y) ||
        !MapGrid::contains(place.x, place.y)) {
        problems.push_back("the start \"" + value.substr(0, NAME_LIMIT) +
                           "\" is not a cell of the level; Play starts at the usual place");
        return;
    }
    start = place;
}

void LevelFile::readPar(const std::string& value) {
    int seconds = 0;
    const char* cursor = value.c_str();
    if (!NumberParser::readInt(cursor, seconds) || seconds < 1 || seconds > PAR_LIMIT) {
        problems.push_back("the par \"" + value.substr(0, NAME_LIMIT) + "\" is not from 1 to " +
                           std::to_string(PAR_LIMIT) + " seconds and is left out");
        return;
    }
    parSeconds = seconds;
}

void LevelFile::readUnitLine(const std::string& value) {
    UnitPlace place{0, 0};
    NumberParser::readPair(value.c_str(), place.x, place.y);
    if (!MapGrid::contains(place.x, place.y)) {
        problems.push_back("the unit at (" + std::to_string(place.x) + ", " +
                           std::to_string(place.y) + ") lies outside the level and is left out");
        return;
    }
    units.push_back(place);
}

std::string LevelFile::compose(const int* const* grid, const LevelFile& level) {
    std::string text;
    for (int x = 0; x < MAP_SIZE; ++x) {
        for (int y = 0; y < MAP_SIZE; ++y) {
            text += static_cast<char>('0' + std::clamp(grid[x][y], 0, 9));
        }
        text += '\n';
    }
    const std::string name = printableName(level.name);
    if (!name.empty()) {
        text += "name:" + name + "\n";
    }
    if (level.start.has_value()) {
        text +=
            "start:" + std::to_string(level.start->x) + " " + std::to_string(level.start->y) + "\n";
    }
    if (level.parSeconds.has_value()) {
        text += "par:" + std::to_string(*level.parSeconds) + "\n";
    }
    for (const UnitPlace& unit : level.units) {
        text += "unit:" + std::to_string(unit.x) + " " + std::to_string(unit.y) + "\n";
    }
    return text;
}
