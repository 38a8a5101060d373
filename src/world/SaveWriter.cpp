#include "world/SaveWriter.h"

#include "world/NumberParser.h"
#include "world/RegularFile.h"
#include "world/SaveReader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <unistd.h>

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

bool SaveWriter::replaceFile(const std::string& path, const std::string& text,
                             std::string& reason) {
    const std::string temporary = path + ".tmp";
    for (const std::string& name : {temporary, path}) {
        const std::string stranger = RegularFile::strangerAt(name);
        if (!stranger.empty()) {
            reason = name + ": " + stranger;
            return false;
        }
    }
    // A file or link an earlier save left at the temporary name goes first; unlink
    // removes a link itself, never what it points to.
    if (unlink(temporary.c_str()) != 0 && errno != ENOENT) {
        reason = temporary + ": " + std::strerror(errno);
        return false;
    }
    if (!RegularFile::writeFresh(temporary, text, reason)) {
        reason = temporary + ": " + reason;
        return false;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        reason = path + ": " + std::strerror(errno);
        unlink(temporary.c_str());
        return false;
    }
    return true;
}
