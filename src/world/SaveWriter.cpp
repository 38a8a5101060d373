#include "world/SaveWriter.h"

#include "render/Camera.h"
#include "units/Unit.h"
#include "world/NumberParser.h"

#include <cstdio>
#include <sstream>
#include <unistd.h>

std::string SaveWriter::compose(const Camera& camera, const Unit& player,
                                const std::vector<Unit*>& units) {
    std::ostringstream text;
    text << "x:" << NumberParser::truncateToInt(camera.posX) << "\n";
    text << "y:" << NumberParser::truncateToInt(camera.posY) << "\n";
    text << "player_health:" << player.health << "\n";
    text << "player_mana:" << player.mana << "\n";
    text << "player_stamina:" << player.stamina << "\n";
    for (const Unit* unit : units) {
        text << "unit:" << NumberParser::truncateToInt(unit->x) << " "
             << NumberParser::truncateToInt(unit->y) << "\n";
    }
    return text.str();
}

bool SaveWriter::replaceFile(const std::string& path, const std::string& text) {
    const std::string temporary = path + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "w");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size() &&
                         std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
