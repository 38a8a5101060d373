// The rules of play: the level and its units, saving and loading, the sword, the
// speed keys and the units' blows.
#include "game/Game.h"

#include "core/AssetIds.h"
#include "core/AttackEvent.h"
#include "core/RegularFile.h"
#include "core/SoundEvent.h"
#include "world/Demo.h"
#include "world/LevelFile.h"
#include "world/LineReader.h"
#include "world/SaveReader.h"
#include "world/SaveWriter.h"

#include <algorithm>
#include <iostream>
#include <sstream>

namespace {

const std::size_t READ_LIMIT = LevelFile::FILE_LIMIT;

const double UNIT_FRAME_MS = 50.0;
// A skull's blow, felt: short and firm, over before the next one can land.
const double BLOW_RUMBLE_STRENGTH = 0.75;
const uint32_t BLOW_RUMBLE_MS = 180;
// Forward through the four walking frames and back.
const std::initializer_list<int> WALK_FRAMES = {
    SpriteId::SKULL_WALK_FIRST,     SpriteId::SKULL_WALK_FIRST + 1, SpriteId::SKULL_WALK_FIRST + 2,
    SpriteId::SKULL_WALK_FIRST + 3, SpriteId::SKULL_WALK_FIRST + 2, SpriteId::SKULL_WALK_FIRST + 1};

const int32_t SWORD_DAMAGE = 3;
const double SWORD_REACH = 0.65;
const double FARTHEST_TARGET = 9999.0;
const double SPEED_UP_STEP = 2.0;
const double SLOW_DOWN_STEP = 0.5;
const double FASTEST = 4.0;
const double SLOWEST = 1.0 / 64.0;
const double CELL_MIDDLE = 0.5;
const char* const WIN_MESSAGE = "THE DEAD SLEEP ONCE MORE";
const double WIN_NOTICE_MS = 5000.0;

} // namespace

void Game::loadLevel() {
    const std::string& levelPath = files.levelPath;
    const RegularFile::Contents file = RegularFile::read(levelPath, READ_LIMIT);
    if (file.outcome != RegularFile::Outcome::Read) {
        std::cout << "Cannot open the level \"" << levelPath << "\""
                  << (file.outcome == RegularFile::Outcome::Refused ? ": " + file.problem : "")
                  << "; the world is empty floor." << std::endl;
        return;
    }
    files.levelHash = Demo::hash(file.text.data(), file.text.size());
    std::istringstream text(file.text);
    const LevelFile level = LevelFile::read(text, mapGrid);
    for (const std::string& problem : level.problems) {
        std::cout << "Level \"" << levelPath << "\": " << problem << std::endl;
    }
    for (const LevelFile::UnitPlace& place : level.units) {
        createUnit(place.x, place.y);
    }
}

// A skull by the skill's knobs; as designed they leave it as the design made it.
void Game::armUnit(Unit* unit) const {
    const Skill::Knobs& knobs = recordedGame->knobs;
    unit->damage = knobs.blowDamage;
    if (knobs.stepPermille != 1000) {
        unit->speed = Unit::HOSTILE_STEP * (knobs.stepPermille / 1000.0);
    }
    unit->staminaPerSecond = knobs.staminaPerSecond;
    unit->strikeDelayMs = knobs.strikeDelayMs;
}

void Game::deleteUnits() {
    for (Unit* unit : units) {
        delete unit; // it stops listening for ticks as it goes
    }
    units.clear();
}

void Game::createUnit(double x, double y) {
    Animation* walk = createAnimation(spriteManager, UNIT_FRAME_MS, WALK_FRAMES);
    Unit* unit = new Unit(eventSystem, walk, x, y);
    armUnit(unit);
    unit->voice = static_cast<int32_t>(units.size() % 5);
    unit->timer->followClock(worldClock);
    walk->timer->followClock(worldClock);
    unit->hurtSprite = spriteManager->getSprite(SpriteId::SKULL_HURT);
    units.push_back(unit);
}

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
        for (const LevelFile::UnitPlace& mark : seen.marks()) {
            record.marks.push_back({static_cast<double>(mark.x), static_cast<double>(mark.y)});
        }
    }
    return record;
}

bool Game::saveGame() {
    if (fallen()) {
        return true; // a fallen player is never saved: the last save stays good
    }
    ++recordedGame->stats.saves;
    if (recordedGame->replaying()) {
        return true; // a replay counts its saves and writes none
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

// A save's text put back into play; an empty one starts a new game.
void Game::putBackSave(const std::string& saveText) {
    if (saveText.empty()) {
        hud->notify("No save found: a new game");
        return;
    }
    std::istringstream text(saveText);
    const SaveReader save = SaveReader::read(text);
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

void Game::handleEvent(const Event& event) {
    if (event.type == QUIT_EVENT) {
        // A player who leaves believes the game saved: when it did not, the game ends
        // with a failure status, after saying why.
        saveGame();
        quit = !quit;
        return;
    }
    if (!playing) {
        return;
    }
    switch (event.type) {
    case SPEED_UP_EVENT:
        // At the fastest a running step is 0.4 cells, too short to cross a wall cell.
        gameTimer->factor = std::min(gameTimer->factor * SPEED_UP_STEP, FASTEST);
        sayGameSpeed();
        break;
    case SLOW_DOWN_EVENT:
        gameTimer->factor = std::max(gameTimer->factor * SLOW_DOWN_STEP, SLOWEST);
        sayGameSpeed();
        break;
    case SPAWN_UNIT_EVENT:
        createUnit(camera->posX, camera->posY);
        units.back()->calledUp = true;
        break;
    case SAVE_EVENT:
        hud->notify(saveGame() ? "Game saved" : "Could not save: " + files.saveProblem);
        break;
    case PLAYER_ATTACK_EVENT:
        swingSword();
        break;
    case ATTACK_EVENT:
        takeBlow(static_cast<const AttackEvent&>(event).amount);
        feelBlow(static_cast<const AttackEvent&>(event));
        break;
    case SOUND_EVENT:
        captionSound(static_cast<const SoundEvent&>(event));
        break;
    default:
        break;
    }
}

void Game::swingSword() {
    if (!swordAnimation->finished) {
        return; // the last swing is still on its way
    }
    swordAnimation->finished = false;
    ++recordedGame->stats.blowsGiven;
    Unit* target = findTarget();
    if (target == nullptr || !swordReaches(*target)) {
        ++recordedGame->stats.misses;
        playSound(SoundId::SWORD_MISS);
        return;
    }
    ++recordedGame->stats.hits;
    playSound(SoundId::SWORD_HIT);
    std::cout << "Did " << SWORD_DAMAGE << " damage!" << std::endl;
    target->applyDamage(-SWORD_DAMAGE);
    if (target->health != 0) {
        return;
    }
    std::cout << "Killed a unit!" << std::endl;
    killUnit(target);
    if (units.empty()) {
        playSound(SoundId::DEAD_SLEEP);
        std::cout << WIN_MESSAGE << "\n";
        hud->notify(WIN_MESSAGE, WIN_NOTICE_MS);
        view->showTally();
    }
}

// Within reach and in front: a unit standing on the player's own spot is neither.
bool Game::swordReaches(const Unit& target) const {
    return camera->distanceTo(target.x, target.y) <= SWORD_REACH &&
           camera->depthOf(target.x, target.y) > 0.0;
}

Unit* Game::findTarget() const {
    Unit* target = nullptr;
    double nearest = FARTHEST_TARGET;
    for (Unit* unit : units) {
        if (camera->depthOf(unit->x, unit->y) <= 0.0) {
            continue; // beside or behind: it would shield the one in front
        }
        const double distance = camera->distanceTo(unit->x, unit->y);
        if (distance < nearest) {
            nearest = distance;
            target = unit;
        }
    }
    return target;
}

void Game::killUnit(Unit* unit) {
    ++recordedGame->stats.kills;
    recordedGame->stats.calledKills += unit->calledUp ? 1 : 0;
    units.erase(std::find(units.begin(), units.end(), unit));
    delete unit; // it stops listening for ticks as it goes
}

void Game::takeBlow(int32_t amount) {
    if (fallen()) {
        return; // nothing more can befall a fallen player
    }
    ++recordedGame->stats.blowsTaken;
    std::cout << "You take " << amount << " damage!\n";
    player->applyDamage(amount);
    if (fallen()) {
        std::cout << "You fell." << std::endl;
        view->startFall();
        recordedGame->stopRecording(); // the recording ends where the game does
    }
    if (inputSystem != nullptr) {
        inputSystem->rumble(BLOW_RUMBLE_STRENGTH, BLOW_RUMBLE_MS);
    }
}

void Game::playSound(int32_t soundId) {
    eventSystem->fireEvent(SoundEvent(soundId, 1.0f, SoundEvent::CENTRE, false));
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
    playerSettings->writable = false;
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
        seen.addMark(mark.x, mark.y);
    }
}

Tally Game::tally() const {
    const RecordedGame::Stats& stats = recordedGame->stats;
    Tally tally;
    tally.levelKills = stats.kills - stats.calledKills;
    tally.calledKills = stats.calledKills;
    tally.skullsLeft = static_cast<int32_t>(units.size());
    tally.blowsTaken = stats.blowsTaken;
    tally.blowsGiven = stats.blowsGiven;
    tally.misses = stats.misses;
    tally.saves = stats.saves;
    tally.timeMs = recordedGame->worldTimeMs();
    return tally;
}

bool Game::fallen() const {
    return recordedGame->knobs.playerFalls && playing && player->health <= 0;
}
