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
#include <cmath>
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
const char* const WIN_MESSAGE = "THE DEAD SLEEP ONCE MORE";
const double WIN_NOTICE_MS = 5000.0;

} // namespace

void Game::loadLevel() {
    const std::string& levelPath = files.fromEditor ? "the editor's level" : files.levelPath;
    files.levelStart.reset();
    RegularFile::Contents file;
    if (files.fromEditor) {
        file.outcome = RegularFile::Outcome::Read;
        file.text = files.editorText;
    } else {
        file = RegularFile::read(levelPath, READ_LIMIT);
    }
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
    files.levelStart = level.start;
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
        levelCleared();
    }
}

// Within reach and in front: a unit standing on the player's own spot is neither. As
// designed the reach is a circle; at the harder skills it is the square a skull strikes
// from, so that a skull striking from a diagonal can be struck back.
bool Game::swordReaches(const Unit& target) const {
    if (camera->depthOf(target.x, target.y) <= 0.0) {
        return false;
    }
    if (recordedGame->knobs.squareReach) {
        return std::fabs(target.x - camera->posX) <= SWORD_REACH &&
               std::fabs(target.y - camera->posY) <= SWORD_REACH;
    }
    return camera->distanceTo(target.x, target.y) <= SWORD_REACH;
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
