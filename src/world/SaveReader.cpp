#include "world/SaveReader.h"

#include "world/LineReader.h"
#include "world/MapGrid.h"
#include "world/NumberParser.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
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
    if (takeKey(text, SKILL_KEY)) {
        skill = std::string(text).substr(0, SKILL_WORD_LIMIT);
    }
    if (takeKey(text, LEVEL_KEY)) {
        level = std::string(text).substr(0, LEVEL_NAME_LIMIT);
    }
    if (takeKey(text, MAP_KEY)) {
        keepsMap = true;
    }
    if (takeKey(text, SEEN_KEY)) {
        readSeenRow(text);
    }
    if (takeKey(text, MARK_KEY)) {
        readMark(text);
    }
}

// "X " then exactly MAP_SIZE 0s and 1s, and nothing more; any other row is dropped whole.
void SaveReader::readSeenRow(const char* text) {
    char* end = nullptr;
    errno = 0;
    const long row = std::strtol(text, &end, 10);
    if (end == text || errno != 0 || row < 0 || row >= MAP_SIZE || *end != ' ' ||
        std::strlen(end + 1) != static_cast<std::size_t>(MAP_SIZE) ||
        std::strspn(end + 1, "01") != static_cast<std::size_t>(MAP_SIZE)) {
        return;
    }
    for (int y = 0; y < MAP_SIZE; ++y) {
        seen[static_cast<std::size_t>(row)][static_cast<std::size_t>(y)] = end[1 + y] == '1';
    }
}

// "N X Y": a mark numbered from 1, in the grid; any other is dropped.
void SaveReader::readMark(const char* text) {
    long numbers[3] = {0, -1, -1};
    for (int i = 0; i < 3; ++i) {
        char* end = nullptr;
        errno = 0;
        numbers[i] = std::strtol(text, &end, 10);
        if (end == text || errno != 0 || *end != (i < 2 ? ' ' : '\0')) {
            return;
        }
        text = end + (i < 2 ? 1 : 0);
    }
    const long number = numbers[0];
    if (number < 1 || number > MAX_MARKS || numbers[1] >= MAP_SIZE || numbers[2] >= MAP_SIZE ||
        numbers[1] < 0 || numbers[2] < 0) {
        return;
    }
    markSlots[static_cast<std::size_t>(number - 1)] =
        LevelFile::UnitPlace{static_cast<int>(numbers[1]), static_cast<int>(numbers[2])};
}

std::vector<LevelFile::UnitPlace> SaveReader::marks() const {
    std::vector<LevelFile::UnitPlace> kept;
    for (const auto& slot : markSlots) {
        if (slot.has_value()) {
            kept.push_back(*slot);
        }
    }
    return kept;
}
