#pragma once

#include "world/SaveRecord.h"

#include <string>

// Writes the save file: the player's cell and statistics, then one line per unit, or
// "units:0" when none is left.
class SaveWriter {
  public:
    static std::string compose(const SaveRecord& record);
};
