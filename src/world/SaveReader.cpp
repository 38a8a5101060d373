#include "world/SaveReader.h"

#include "world/LineReader.h"
#include "world/MapGrid.h"
#include "world/NumberParser.h"

#include <cstring>
#include <string>

namespace {

// When text starts with key, moves text past it and says so.
bool takeKey(const char*& text, const char* key) {
    const std::size_t length = std::strlen(key);
    if (std::strncmp(text, key, length) != 0) {
        return false;
    }
    text += length;
    return true;
}

// A position on one axis: taken only when it lies on one of the grid's lines.
void readGridLine(const char* text, std::optional<int>& position) {
    const int value = NumberParser::readLeadingInt(text);
    if (value >= 0 && value < MAP_SIZE) {
        position = value;
    }
}

} // namespace

SaveReader SaveReader::read(std::istream& in) {
    SaveReader save;
    LineReader lines(in);
    std::string line;
    while (lines.next(line)) {
        save.readLine(line);
    }
    lines.reportCuts(save.problems);
    return save;
}

void SaveReader::readLine(const std::string& line) {
    // Reading stops at a NUL as C's string functions would; the std::string keeps the
    // text terminated after its last character.
    const char* text = line.c_str();
    if (takeKey(text, "x:")) {
        readGridLine(text, x);
    }
    if (takeKey(text, "y:")) {
        readGridLine(text, y);
    }
    if (takeKey(text, "player_health:")) {
        health = NumberParser::readLeadingInt(text);
    }
    if (takeKey(text, "player_mana:")) {
        mana = NumberParser::readLeadingInt(text);
    }
    if (takeKey(text, "player_stamina:")) {
        stamina = NumberParser::readLeadingInt(text);
    }
    if (takeKey(text, "unit:")) {
        replacesUnits = true;
        int unitX = 0;
        int unitY = 0;
        NumberParser::readPair(text, unitX, unitY);
        if (MapGrid::contains(unitX, unitY)) {
            units.push_back({unitX, unitY});
        }
    }
    if (takeKey(text, UNIT_COUNT_KEY)) {
        replacesUnits = true;
    }
}
