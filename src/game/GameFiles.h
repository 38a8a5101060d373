#pragma once

#include "world/LevelFile.h"

#include <cstdint>
#include <string>

// The files this game plays and keeps: the level Play and Load start from, the save it is
// kept in, and what became of them.
struct GameFiles {
    std::string levelPath = LevelFile::SHIPPED_PATH;
    std::string savePath = "gamesave.dat";
    // Where play is recorded to, when it is.
    std::string recordPath;
    // The level's bytes as hashed when play began: a recording names its level by them.
    uint64_t levelHash = 0;
    // Why the last save failed, in the system's words; empty once a save succeeds. A game
    // whose save on quitting failed ends with status 1.
    std::string saveProblem;
    // The launcher's word when the player's folder cannot keep the save, said on the HUD
    // as play begins.
    std::string notKept;
};
