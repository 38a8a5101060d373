#pragma once

#include "core/LevelInfo.h"

#include <string>
#include <vector>

// The crypt's own file, "crypt.ini" beside its levels: the order they are played in, and
// a level's name and par where the level file itself cannot tell them (the first level's
// bytes are kept as they are, for the recorded games that name it by them). Read through
// Allegro's configuration files, bounded as every reader of the game's.
//
//   [crypt]
//   levels = first.lev second.lev
//   [first.lev]
//   name = The Gate
//   par = 240
class CryptFile {
  public:
    static constexpr const char* NAME = "crypt.ini";
    static constexpr std::size_t SIZE_LIMIT = 16 * 1024;
    static constexpr std::size_t LEVEL_LIMIT = 64;

    // The crypt's levels in the folder, in their order. A name that is not a plain file
    // name ending in ".lev" is left out and said in problems; so is the whole file when it
    // cannot be read, and then the crypt is the one level the game ships.
    static std::vector<LevelInfo> read(const std::string& folder,
                                       std::vector<std::string>& problems);
    static std::vector<LevelInfo> parse(const std::string& text, const std::string& folder,
                                        std::vector<std::string>& problems);
    // A plain file name: letters, digits, '-', '_' and one ".lev" at its end.
    static bool plainLevelName(const std::string& name);
};
