#pragma once

#include "core/LevelInfo.h"
#include "world/LevelFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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

    // The crypt's levels in their order, and the one played now (-1: a level from
    // elsewhere). A save of any but the first names its level.
    std::vector<LevelInfo> crypt;
    int cryptIndex = 0;
    // How the best times name the level played now; empty: they are not kept for it.
    std::string levelKey = LevelInfo::SHIPPED_FILE;
    // The level played is the editor's, at once: nothing is saved or kept, and Escape or
    // F5 goes back to the editor.
    bool fromEditor = false;
    // The level and save the main menu's Play and Load start from: the crypt's first, or
    // the one the command line named.
    std::string menuLevelPath;
    std::string menuSavePath;
    // The editor's level as it stands, played in place of the level file's.
    std::string editorText;
    // Where Play puts the player in the level read last: the level's start, when it tells
    // one, else the usual place.
    std::optional<LevelFile::UnitPlace> levelStart;
};

// A level in the editor and where Ctrl+S writes it: empty until a level without a place
// of its own is saved among the player's levels.
struct EditedLevel {
    std::string path;
};
