#pragma once

#include "world/SaveRecord.h"

#include <string>

#include <ostream>

// Writes the save file: the player's cell and statistics, then one line per unit, or
// "units:0" when none is left; then, when the game keeps one, the map.
class SaveWriter {
  public:
    static std::string compose(const SaveRecord& record);

  private:
    static void composeMap(const SaveRecord& record, std::ostream& text);
};
