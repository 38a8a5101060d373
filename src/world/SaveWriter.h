#pragma once

#include <string>
#include <vector>

class Camera;
class Unit;

// Writes the save file: the player's cell and statistics, then one line per unit.
class SaveWriter {
  public:
    static std::string compose(const Camera& camera, const Unit& player,
                               const std::vector<Unit*>& units);

    // Writes the text beside path and renames it into place, so that a save cut short
    // never costs the previous one. False, with the old file untouched, on any failure.
    static bool replaceFile(const std::string& path, const std::string& text);
};
