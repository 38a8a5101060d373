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

} // namespace

LevelFile LevelFile::read(std::istream& in, int** grid) {
    LevelFile level;
    LineReader lines(in);
    level.readGrid(lines, grid);
    std::string line;
    while (readLine(lines, line)) {
        level.readUnitLine(line);
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

void LevelFile::readUnitLine(const std::string& line) {
    const std::string::size_type colon = line.find(':');
    const std::string key = line.substr(0, colon);
    // Without a colon the whole line is both the key and the value.
    const std::string value = colon == std::string::npos ? line : line.substr(colon + 1);
    if (key != "unit") {
        return;
    }
    UnitPlace place{0, 0};
    NumberParser::readPair(value.c_str(), place.x, place.y);
    if (!MapGrid::contains(place.x, place.y)) {
        problems.push_back("the unit at (" + std::to_string(place.x) + ", " +
                           std::to_string(place.y) + ") lies outside the level and is left out");
        return;
    }
    units.push_back(place);
}
