// Saving and loading, and the recorded game's beginnings: what a save holds and where it
// goes, a save put back into play with its map and skill, a recording begun as play
// begins and a replay begun in its place, and the status the game ends with.
#include "game/Game.h"

#include "core/RegularFile.h"
#include "world/SaveReader.h"
#include "world/SaveWriter.h"

#include <algorithm>
#include <ctime>
#include <iostream>
#include <sstream>

namespace {

const std::size_t READ_LIMIT = LevelFile::FILE_LIMIT;
const double CELL_MIDDLE = 0.5;

} // namespace

SaveRecord Game::saveRecord() const {
    SaveRecord record;
    record.player = {camera->posX, camera->posY};
    record.health = player->health;
    record.mana = player->mana;
    record.stamina = player->stamina;
    for (const Unit* unit : units) {
        record.units.push_back({unit->x, unit->y});
    }
    if (recordedGame->skill != Skill::DESIGNED) {
        record.skill = Skill::at(recordedGame->skill).word;
    }
    // The crypt's first level, as every save before the crypt, says nothing of its level.
    if (files.cryptIndex > 0) {
        record.level = files.levelKey;
    }
    const SeenCells& seen = mapScreen->seen;
    record.keepsMap = seen.kept;
    if (seen.kept) {
        record.seen.assign(MAP_SIZE, std::vector<bool>(MAP_SIZE, false));
        for (int x = 0; x < MAP_SIZE; ++x) {
            for (int y = 0; y < MAP_SIZE; ++y) {
                record.seen[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] =
                    seen.seen(x, y);
            }
        }
        for (const SeenCells::Mark& mark : seen.marks()) {
            record.marks.push_back({mark.x, mark.y}); // kept as its cell
        }
    }
    return record;
}

bool Game::saveGame() {
    if (fallen()) {
        return true; // a fallen player is never saved: the last save stays good
    }
    ++recordedGame->stats.saves;
    if (recordedGame->replaying() || files.fromEditor) {
        return true; // a replay counts its saves and writes none; so does the editor's play
    }
    std::string reason;
    if (!RegularFile::replace(files.savePath, SaveWriter::compose(saveRecord()), reason)) {
        std::cout << "Could not save the game to \"" << files.savePath << "\": " << reason << "."
                  << std::endl;
        files.saveProblem = reason;
        return false;
    }
    files.saveProblem.clear();
    return true;
}

void Game::loadGame() {
    const RegularFile::Contents file = RegularFile::read(files.savePath, READ_LIMIT);
    if (file.outcome == RegularFile::Outcome::Refused) {
        std::cout << "Cannot read the save \"" << files.savePath << "\": " << file.problem
                  << "; a new game starts." << std::endl;
    }
    recordedGame->loadedSave = file.outcome == RegularFile::Outcome::Read ? file.text : "";
    putBackSave(recordedGame->loadedSave);
}

std::string Game::describeSave() const {
    if (files.fromEditor) {
        return ""; // the editor's level is played afresh, never from a save
    }
    const RegularFile::Contents file = RegularFile::read(files.savePath, READ_LIMIT);
    if (file.outcome != RegularFile::Outcome::Read || file.text.empty()) {
        return "";
    }
    std::istringstream text(file.text);
    const SaveReader save = SaveReader::read(text);
    const int skill = std::max(Skill::indexOf(save.skill), Skill::DESIGNED);
    std::string said = levelNameOf(save.level) + ", " + Skill::at(skill).label;
    const int64_t written = RegularFile::modifiedAt(files.savePath);
    if (written >= 0) {
        const std::time_t when = static_cast<std::time_t>(written);
        const std::time_t now = std::time(nullptr);
        std::tm at{}, today{};
        localtime_r(&when, &at);
        localtime_r(&now, &today);
        const bool sameDay = at.tm_year == today.tm_year && at.tm_yday == today.tm_yday;
        char stamp[32] = {};
        std::strftime(stamp, sizeof stamp, sameDay ? "at %H:%M" : "on %Y-%m-%d at %H:%M", &at);
        said += std::string(", saved ") + stamp;
    }
    return said;
}

// A save's text put back into play; an empty one starts a new game.
void Game::putBackSave(const std::string& saveText) {
    if (saveText.empty()) {
        hud->notify("No save found: a new game");
        return;
    }
    std::istringstream text(saveText);
    const SaveReader save = SaveReader::read(text);
    if (!recordedGame->replaying()) {
        goToSavedLevel(save.level);
    }
    for (const std::string& problem : save.problems) {
        std::cout << "Save \"" << files.savePath << "\": " << problem << std::endl;
    }
    // Saves hold whole cells; the player comes back to the middle of the cell rather
    // than its corner, where the view would be a wall face at distance zero.
    if (save.x.has_value()) {
        camera->posX = *save.x + CELL_MIDDLE;
    }
    if (save.y.has_value()) {
        camera->posY = *save.y + CELL_MIDDLE;
    }
    player->health = save.health.value_or(player->health);
    player->mana = save.mana.value_or(player->mana);
    player->stamina = save.stamina.value_or(player->stamina);
    putBackMap(save);
    // The game goes on at its own skill; a save without one was played as designed. A
    // replay plays by its demo's knobs, whatever its save says.
    if (!recordedGame->replaying()) {
        recordedGame->playAt(std::max(Skill::indexOf(save.skill), Skill::DESIGNED));
        for (Unit* unit : units) {
            armUnit(unit);
        }
    }
    if (!save.replacesUnits) {
        return; // the level's own units stay
    }
    deleteUnits();
    for (const LevelFile::UnitPlace& place : save.units) {
        createUnit(place.x, place.y);
    }
}

// A save of the crypt's first level names none; one of another names it, and play goes
// on there. A name the crypt does not know leaves the level as it is.
void Game::goToSavedLevel(const std::string& key) {
    if (files.cryptIndex < 0 || files.crypt.empty()) {
        return; // a level of the player's or the command line's keeps its own save
    }
    const std::string wanted = key.empty() ? files.crypt.front().key : key;
    for (const LevelInfo& level : files.crypt) {
        if (level.key == wanted && level.path != files.levelPath) {
            chooseLevel(level.path, files.savePath);
            deleteUnits();
            loadLevel();
            mapScreen->reset();
            return;
        }
    }
    if (wanted != files.levelKey) {
        std::cout << "Save \"" << files.savePath << "\": the level \"" << wanted
                  << "\" is not in the crypt; the game goes on in this one" << std::endl;
    }
}

// The map as the save kept it; a save without one leaves the map of a new game, empty.
void Game::putBackMap(const SaveReader& save) {
    SeenCells& seen = mapScreen->seen;
    seen.clear();
    if (!save.keepsMap) {
        return;
    }
    seen.kept = true;
    for (int x = 0; x < MAP_SIZE; ++x) {
        for (int y = 0; y < MAP_SIZE; ++y) {
            if (save.seen[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)]) {
                seen.see(x, y);
            }
        }
    }
    seen.newLook(); // seen before, not now
    for (const LevelFile::UnitPlace& mark : save.marks()) {
        seen.addMark(mark.x + CELL_MIDDLE, mark.y + CELL_MIDDLE); // saves keep whole cells
    }
}

// As play begins, with the level and any save already read.
void Game::startRecording(bool loaded) {
    if (recordedGame->replaying()) {
        return;
    }
    Demo header;
    header.gameVersion = CommandLine::gameVersion();
    header.levelName = files.levelPath.substr(files.levelPath.find_last_of('/') + 1);
    header.levelHash = files.levelHash;
    header.steering = playerSettings->settings;
    header.skillWord = Skill::at(recordedGame->skill).word;
    header.knobs = recordedGame->knobs;
    header.startsWithLoad = loaded;
    header.save = loaded ? recordedGame->loadedSave : "";
    say(recordedGame->startRecording(files.recordPath, header));
}

// Play begins as the recording's did, without the menu; what steers the world is the
// recording's, and nothing of the player's is written while it plays.
void Game::startReplay(const Demo* demo, bool timed) {
    recordedGame->startReplay(demo, timed);
    beginPlay();
    if (demo->startsWithLoad) {
        putBackSave(demo->save);
    }
    applySettings();
}

int Game::exitStatus() const {
    if (recordedGame != nullptr && recordedGame->exitStatus != 0) {
        return recordedGame->exitStatus;
    }
    return files.saveProblem.empty() ? 0 : 1;
}
