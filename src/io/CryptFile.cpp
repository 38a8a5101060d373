#include "io/CryptFile.h"

#include "core/RegularFile.h"
#include "io/ConfigText.h"

#include <cctype>
#include <cstdlib>
#include <sstream>

namespace {

const char* const SECTION = "crypt";
const char* const SUFFIX = ".lev";
// The one level the game ships, when the crypt's file cannot tell more.
std::vector<LevelInfo> firstLevelOnly(const std::string& folder) {
    const std::string file = LevelInfo::SHIPPED_FILE;
    return {LevelInfo{folder + "/" + file, file, file, 0, false, -1}};
}

int parOf(const std::string& text) {
    char* end = nullptr;
    const long seconds = std::strtol(text.c_str(), &end, 10);
    return end != text.c_str() && *end == '\0' && seconds >= 1 && seconds <= LevelInfo::PAR_LIMIT
               ? static_cast<int>(seconds)
               : 0;
}

} // namespace

bool CryptFile::plainLevelName(const std::string& name) {
    const std::size_t suffix = std::char_traits<char>::length(SUFFIX);
    if (name.size() <= suffix || name.size() > LEVEL_LIMIT ||
        name.compare(name.size() - suffix, suffix, SUFFIX) != 0) {
        return false;
    }
    for (std::size_t i = 0; i + suffix < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (!std::isalnum(c) && c != '-' && c != '_') {
            return false;
        }
    }
    return true;
}

std::vector<LevelInfo> CryptFile::read(const std::string& folder,
                                       std::vector<std::string>& problems) {
    const std::string path = folder + "/" + NAME;
    const RegularFile::Contents file = RegularFile::read(path, SIZE_LIMIT);
    if (file.outcome != RegularFile::Outcome::Read || file.cutShort) {
        problems.push_back("cannot read \"" + path + "\"" +
                           (file.problem.empty() ? "" : ": " + file.problem) +
                           "; the crypt is its first level alone");
        return firstLevelOnly(folder);
    }
    return parse(file.text, folder, problems);
}

std::vector<LevelInfo> CryptFile::parse(const std::string& text, const std::string& folder,
                                        std::vector<std::string>& problems) {
    ALLEGRO_CONFIG* config = ConfigText::parse(text);
    if (config == nullptr) {
        problems.push_back("the crypt's file cannot be read; the crypt is its first level alone");
        return firstLevelOnly(folder);
    }
    std::vector<LevelInfo> levels;
    std::istringstream order(ConfigText::value(config, SECTION, "levels"));
    std::string file;
    while (order >> file && levels.size() < LEVEL_LIMIT) {
        if (!plainLevelName(file)) {
            problems.push_back("the crypt's level \"" + file.substr(0, LEVEL_LIMIT) +
                               "\" is not a plain level file name and is left out");
            continue;
        }
        LevelInfo level{folder + "/" + file,
                        file,
                        ConfigText::value(config, file.c_str(), "name"),
                        parOf(ConfigText::value(config, file.c_str(), "par")),
                        false,
                        -1};
        levels.push_back(level);
    }
    al_destroy_config(config);
    if (levels.empty()) {
        problems.push_back("the crypt's file names no level; the crypt is its first level alone");
        return firstLevelOnly(folder);
    }
    return levels;
}
