#pragma once

#include "world/SaveRecord.h"

#include <string>

// Writes the save file: the player's cell and statistics, then one line per unit, or
// "units:0" when none is left.
class SaveWriter {
  public:
    static std::string compose(const SaveRecord& record);

    // Writes the text to a fresh file beside path (never through a link) and renames it
    // into place, so that a save cut short never costs the previous one. False on any
    // failure, with the old file untouched and the reason (the system's words, or what
    // stands in the way) in reason.
    static bool replaceFile(const std::string& path, const std::string& text, std::string& reason);
};
