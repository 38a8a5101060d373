#include "LevelInfoChecks.h"

#include "io/BestTimes.h"
#include "io/CryptFile.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void require(bool promise, const char* what) {
    if (!promise) {
        std::fprintf(stderr, "broken promise: %s\n", what);
        std::abort();
    }
}

} // namespace

void checkLevelInfoReaders(const uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> problems;
    const std::vector<LevelInfo> crypt = CryptFile::parse(text, "levels", problems);
    require(!crypt.empty() && crypt.size() <= CryptFile::LEVEL_LIMIT,
            "a crypt of no level, or too many");
    for (const LevelInfo& level : crypt) {
        require(CryptFile::plainLevelName(level.key), "a level name that is not plain");
        require(level.path == "levels/" + level.key, "a level outside the crypt's folder");
        require(level.parSeconds >= 0 && level.parSeconds <= LevelInfo::PAR_LIMIT,
                "a par out of range");
    }
    const BestTimes best = BestTimes::parse(text);
    for (const auto& [key, ms] : best.times) {
        require(ms > 0 && ms <= BestTimes::LONGEST_MS, "a best time no level takes");
    }
    const BestTimes again = BestTimes::parse(best.compose());
    require(again.times == best.times, "the best times written read back otherwise");
}
