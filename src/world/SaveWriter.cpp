#include "world/SaveWriter.h"

#include "world/NumberParser.h"
#include "world/SaveReader.h"

#include <sstream>

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
    return text.str();
}
