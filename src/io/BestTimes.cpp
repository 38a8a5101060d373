#include "io/BestTimes.h"

#include "core/LevelInfo.h"
#include "core/RegularFile.h"
#include "io/ConfigText.h"
#include "io/CryptFile.h"

#include <cstdlib>

namespace {

const char* const SECTION = "best";
const std::size_t KEY_LIMIT = 80;

// A crypt's level by its file name, or one of the player's: "own/" and its file name.
bool levelKey(const std::string& key) {
    const std::string own = LevelInfo::OWN_PREFIX;
    return key.size() <= KEY_LIMIT &&
           CryptFile::plainLevelName(key.rfind(own, 0) == 0 ? key.substr(own.size()) : key);
}

} // namespace

BestTimes BestTimes::load(const std::string& path) {
    const RegularFile::Contents file = RegularFile::read(path, SIZE_LIMIT);
    return file.outcome == RegularFile::Outcome::Read ? parse(file.text) : BestTimes();
}

BestTimes BestTimes::parse(const std::string& text) {
    BestTimes best;
    ALLEGRO_CONFIG* config = ConfigText::parse(text);
    if (config == nullptr) {
        return best;
    }
    ALLEGRO_CONFIG_ENTRY* entry = nullptr;
    for (const char* key = al_get_first_config_entry(config, SECTION, &entry); key != nullptr;
         key = al_get_next_config_entry(&entry)) {
        const std::string value = ConfigText::value(config, SECTION, key);
        char* end = nullptr;
        const long long ms = std::strtoll(value.c_str(), &end, 10);
        if (end != value.c_str() && *end == '\0' && ms > 0 && ms <= LONGEST_MS && levelKey(key)) {
            best.times[key] = ms;
        }
    }
    al_destroy_config(config);
    return best;
}

std::string BestTimes::compose() const {
    ALLEGRO_CONFIG* config = al_create_config();
    al_add_config_comment(config, nullptr,
                          "Duskmarch: the best time each level was cleared in, "
                          "in milliseconds.");
    for (const auto& [key, ms] : times) {
        al_set_config_value(config, SECTION, key.c_str(), std::to_string(ms).c_str());
    }
    const std::string text = ConfigText::write(config, SIZE_LIMIT);
    al_destroy_config(config);
    return text;
}

int64_t BestTimes::best(const std::string& key) const {
    const auto found = times.find(key);
    return found != times.end() ? found->second : -1;
}

bool BestTimes::offer(const std::string& key, int64_t milliseconds) {
    if (milliseconds <= 0 || milliseconds > LONGEST_MS || !levelKey(key) ||
        (best(key) >= 0 && best(key) <= milliseconds)) {
        return false;
    }
    times[key] = milliseconds;
    return true;
}

bool BestTimes::offerToFile(const std::string& path, const std::string& key, int64_t milliseconds,
                            std::string& reason) {
    BestTimes kept = load(path);
    if (!kept.offer(key, milliseconds)) {
        return true; // not a better time: nothing to keep
    }
    const std::string folder = path.substr(0, path.find_last_of('/'));
    return (folder == path || RegularFile::makeFolders(folder, reason)) &&
           RegularFile::replace(path, kept.compose(), reason);
}
