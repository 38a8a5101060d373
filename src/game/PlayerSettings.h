#pragma once

#include "core/Settings.h"
#include "core/Trackable.h"
#include "game/CommandLine.h"

#include <string>
#include <vector>

// The player's settings: read from their file at start, and kept there on every change.
// What a change does to the game is Game::applySettings'.
class PlayerSettings : public Trackable {
  public:
    // Reads the file; the command line's start mode holds for this run only. The problems
    // found in the file, one line each.
    std::vector<std::string> load(const std::string& filePath);
    // Writes what changed from before to the settings now onto the file. The problem to
    // say, the first time the file cannot be written; empty otherwise.
    std::string keepChangesFrom(const Settings& before);

    Settings settings;
    std::string path;
    CommandLine::StartMode startMode = CommandLine::StartMode::Remembered;
    int skillOverride = -1; // --skill, for this run

  private:
    bool problemSaid = false;
};
