// The crypt's levels and the player's own: the list of them, the next level once one is
// cleared, the best times kept, and which level a save belongs to.
#include "game/Game.h"

#include "core/BaseDirectories.h"
#include "core/RegularFile.h"
#include "io/BestTimes.h"
#include "io/CryptFile.h"
#include "screens/LevelListScreen.h"
#include "world/MapGrid.h"

#include <algorithm>
#include <iostream>
#include <sstream>

namespace {

const char* const CRYPT_FOLDER = "levels";
const char* const OWN_FOLDER = "my-levels";
const std::size_t OWN_LEVEL_LIMIT = 200;
const double NEXT_NOTICE_MS = 4000.0;

std::string dataFile(const std::string& name) {
    const std::string folder = BaseDirectories::data();
    return folder.empty() ? "" : folder + "/" + name;
}

// The name and par a level file tells, read as the game reads it.
void readLevelInfo(LevelInfo& level) {
    const RegularFile::Contents file = RegularFile::read(level.path, LevelFile::FILE_LIMIT);
    if (file.outcome != RegularFile::Outcome::Read) {
        return;
    }
    int** scratch = MapGrid::allocate();
    std::istringstream text(file.text);
    const LevelFile read = LevelFile::read(text, scratch);
    MapGrid::release(scratch);
    if (!read.name.empty()) {
        level.name = read.name;
    }
    if (read.parSeconds.has_value()) {
        level.parSeconds = *read.parSeconds;
    }
}

} // namespace

std::string Game::ownLevelFolder() {
    return dataFile(OWN_FOLDER);
}

void Game::readCrypt() {
    std::vector<std::string> problems;
    files.crypt = CryptFile::read(CRYPT_FOLDER, problems);
    for (const std::string& problem : problems) {
        std::cout << "Levels: " << problem << std::endl;
    }
    for (LevelInfo& level : files.crypt) {
        const std::string told = level.name;
        readLevelInfo(level);
        level.name = !told.empty() ? told : level.name.empty() ? level.key : level.name;
    }
    files.menuLevelPath = files.levelPath;
    files.menuSavePath = files.savePath;
    chooseLevel(files.levelPath, files.savePath);
}

// The name of the level a save was made in: a save of the crypt names its level (none for
// the first); any other save belongs to the level played now, named as its file tells.
std::string Game::levelNameOf(const std::string& savedLevelKey) const {
    if (files.cryptIndex >= 0 && !files.crypt.empty()) {
        const std::string key = savedLevelKey.empty() ? files.crypt.front().key : savedLevelKey;
        for (const LevelInfo& level : files.crypt) {
            if (level.key == key) {
                return level.name;
            }
        }
        return key;
    }
    const std::string file = files.levelPath.substr(files.levelPath.find_last_of('/') + 1);
    LevelInfo level;
    level.path = files.levelPath;
    level.name = file.size() > 4 ? file.substr(0, file.size() - 4) : file;
    readLevelInfo(level);
    return level.name;
}

// Play goes on in this level: a crypt's level keeps the one save, any other its own.
void Game::chooseLevel(const std::string& path, const std::string& savePath) {
    files.levelPath = path;
    files.savePath = savePath;
    files.cryptIndex = -1;
    files.levelKey.clear();
    for (std::size_t i = 0; i < files.crypt.size(); ++i) {
        if (files.crypt[i].path == path) {
            files.cryptIndex = static_cast<int>(i);
            files.levelKey = files.crypt[i].key;
        }
    }
    const std::string own = ownLevelFolder() + "/";
    if (files.cryptIndex < 0 && !ownLevelFolder().empty() && path.rfind(own, 0) == 0) {
        files.levelKey = LevelInfo::OWN_PREFIX + path.substr(own.size());
    }
}

std::vector<LevelInfo> Game::levelList() const {
    std::vector<LevelInfo> levels = files.crypt;
    const std::string folder = ownLevelFolder();
    const std::size_t crypt = levels.size();
    if (!folder.empty()) {
        for (const std::string& name : RegularFile::namesIn(folder, ".lev", OWN_LEVEL_LIMIT)) {
            if (!CryptFile::plainLevelName(name)) {
                continue;
            }
            LevelInfo level{folder + "/" + name,
                            LevelInfo::OWN_PREFIX + name,
                            name.substr(0, name.size() - 4),
                            0,
                            true,
                            -1};
            readLevelInfo(level);
            levels.push_back(level);
        }
    }
    // The player's own by the names they gave them, as the list shows them.
    std::stable_sort(levels.begin() + static_cast<std::ptrdiff_t>(crypt), levels.end(),
                     [](const LevelInfo& a, const LevelInfo& b) { return a.name < b.name; });
    const BestTimes best = BestTimes::load(dataFile(BestTimes::NAME));
    for (LevelInfo& level : levels) {
        level.bestMs = best.best(level.key);
    }
    return levels;
}

// The list of levels until the player plays one or goes back.
void Game::runLevels() {
    int selected = std::max(files.cryptIndex, 0);
    std::string said;
    while (!quit && inMenu) {
        const std::vector<LevelInfo> levels = levelList();
        LevelListScreen list(screenFonts(), levels, selected);
        list.say(said);
        said.clear();
        const Screen::Next next = runScreen(list, []() {});
        selected = list.selected();
        const LevelInfo* level =
            levels.empty() ? nullptr : &levels[static_cast<std::size_t>(selected)];
        if (next == Screen::Next::Quit) {
            quit = true;
        } else if (next == Screen::Next::Back) {
            return;
        } else if (next == Screen::Next::Fullscreen) {
            switchFullscreen();
        } else if (next == Screen::Next::Play && level != nullptr) {
            chooseLevel(level->path,
                        level->own ? CommandLine::saveNameFor(level->path) : files.menuSavePath);
            startPlay(false);
        } else if (next == Screen::Next::Edit) {
            editLevel(list.makingNew() ? nullptr : level, MAP_SIZE / 2, MAP_SIZE / 2);
        } else if (next == Screen::Next::Remove && level != nullptr && level->own) {
            std::string reason;
            said = RegularFile::remove(level->path, reason) ? "Removed \"" + level->name + "\""
                                                            : "Could not remove it: " + reason;
        }
    }
}

// The last skull fell: the time kept if it is the level's best, and the way on named.
void Game::levelCleared() {
    if (recordedGame->replaying() || files.fromEditor) {
        return;
    }
    const int64_t ms = recordedGame->worldTimeMs();
    std::string reason;
    if (!files.levelKey.empty() &&
        !BestTimes::offerToFile(dataFile(BestTimes::NAME), files.levelKey, ms, reason)) {
        std::cout << "Could not keep the best time: " << reason << "." << std::endl;
    }
    if (nextCryptLevel() != nullptr) {
        view->wayOn = "N: on to " + nextCryptLevel()->name;
    }
}

const LevelInfo* Game::nextCryptLevel() const {
    const std::size_t next = static_cast<std::size_t>(files.cryptIndex + 1);
    return files.cryptIndex >= 0 && next < files.crypt.size() ? &files.crypt[next] : nullptr;
}

// N once the level is cleared: the crypt's next level, from its start, at the same skill.
void Game::goToNextLevel() {
    const LevelInfo* next = nextCryptLevel();
    if (next == nullptr || !units.empty() || fallen() || recordedGame->replaying() ||
        files.fromEditor) {
        return;
    }
    recordedGame->stopRecording(); // a recording holds one level
    chooseLevel(next->path, files.savePath);
    beginPlay();
    startPlayLoop();
    hud->notify(next->name, NEXT_NOTICE_MS);
}
