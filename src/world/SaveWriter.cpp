#include "world/SaveWriter.h"

#include "world/NumberParser.h"
#include "world/SaveReader.h"

#include <sstream>

// The map's lines, which readers that do not know their keys skip: a "seen:" line for
// each row of the grid with a cell seen ("seen:X " and a 0 or 1 for each y), then a
// "mark:" line for each mark, numbered from 1.
void SaveWriter::composeMap(const SaveRecord& record, std::ostream& text) {
    text << SaveReader::MAP_KEY << 1 << "\n";
    for (std::size_t x = 0; x < record.seen.size(); ++x) {
        std::string row;
        for (bool cell : record.seen[x]) {
            row += cell ? '1' : '0';
        }
        if (row.find('1') != std::string::npos) {
            text << SaveReader::SEEN_KEY << x << " " << row << "\n";
        }
    }
    for (std::size_t i = 0; i < record.marks.size(); ++i) {
        text << SaveReader::MARK_KEY << i + 1 << " "
             << NumberParser::truncateToInt(record.marks[i].x) << " "
             << NumberParser::truncateToInt(record.marks[i].y) << "\n";
    }
}

std::string SaveWriter::compose(const SaveRecord& record) {
    std::ostringstream text;
    text << "x:" << NumberParser::truncateToInt(record.player.x) << "\n";
    text << "y:" << NumberParser::truncateToInt(record.player.y) << "\n";
    text << "player_health:" << record.health << "\n";
    text << "player_mana:" << record.mana << "\n";
    text << "player_stamina:" << record.stamina << "\n";
    for (const SaveRecord::Place& unit : record.units) {
        text << "unit:" << NumberParser::truncateToInt(unit.x) << " "
             << NumberParser::truncateToInt(unit.y) << "\n";
    }
    if (record.units.empty()) {
        // Without it a cleared level would load with the level's own units back; readers
        // that do not know the key skip the line.
        text << SaveReader::UNIT_COUNT_KEY << 0 << "\n";
    }
    if (!record.skill.empty()) {
        text << SaveReader::SKILL_KEY << record.skill << "\n";
    }
    if (!record.level.empty()) {
        text << SaveReader::LEVEL_KEY << record.level << "\n";
    }
    if (record.keepsMap) {
        composeMap(record, text);
    }
    return text.str();
}
