#pragma once

#include <cstdint>
#include <map>
#include <string>

// The best time each level was cleared in, kept in the player's data folder as an Allegro
// configuration file ("[best]", one line per level key with its milliseconds). Read
// bounded; a line whose key is not a level's or whose value is not a time is left out.
class BestTimes {
  public:
    static constexpr std::size_t SIZE_LIMIT = 64 * 1024;
    static constexpr const char* NAME = "best-times.ini";
    // Longer than any level is played: a day.
    static constexpr int64_t LONGEST_MS = 24LL * 60 * 60 * 1000;

    static BestTimes load(const std::string& path);
    static BestTimes parse(const std::string& text);
    std::string compose() const;

    // -1 when the level was never cleared.
    int64_t best(const std::string& key) const;
    // True when the time is the level's best so far, and then kept as it.
    bool offer(const std::string& key, int64_t milliseconds);
    // Kept on the file as it is now, so that two copies of the game lose no time.
    static bool offerToFile(const std::string& path, const std::string& key, int64_t milliseconds,
                            std::string& reason);

    std::map<std::string, int64_t> times;
};
