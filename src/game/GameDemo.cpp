// Recorded games: a demo written as the game goes, played back frame by frame with the
// world's clock moved on by each recorded frame's time, checked against the recorded
// state every frame; and the summary of a game as it ended.
#include "game/Game.h"

#include "core/RegularFile.h"
#include "world/NumberParser.h"

#include <cmath>
#include <iomanip>
#include <iostream>
#include <sstream>

namespace {

template <typename T> uint64_t mix(uint64_t sum, const T& value) {
    return Demo::hash(&value, sizeof value, sum);
}

std::string fileName(const std::string& path) {
    return path.substr(path.find_last_of('/') + 1);
}

} // namespace

// Where the player stands and looks, the statistics, every unit's place and health, and
// the game's speed.
uint64_t Game::worldChecksum() const {
    uint64_t sum = Demo::SEED;
    for (double value : {camera->posX, camera->posY, camera->dirX, camera->dirY, camera->planeX,
                         camera->planeY, gameTimer->factor}) {
        sum = mix(sum, value);
    }
    for (int32_t value : {player->health, player->mana, player->stamina}) {
        sum = mix(sum, value);
    }
    for (const Unit* unit : units) {
        sum = mix(mix(mix(sum, unit->x), unit->y), unit->health);
    }
    return sum;
}

// As play begins, with the level and any save already read.
void Game::startRecording(bool loaded) {
    if (recordPath.empty() || replay != nullptr) {
        return;
    }
    Demo header;
    header.gameVersion = CommandLine::gameVersion();
    header.levelName = fileName(levelPath);
    header.levelHash = levelHash;
    header.smoothTurning = settings.turning == Settings::Turning::Smooth;
    header.sensitivity = settings.sensitivity;
    header.startsWithLoad = loaded;
    header.save = loaded ? loadedSave : "";
    recorder = new DemoRecorder();
    std::string reason;
    if (!recorder->start(recordPath, header, reason)) {
        const std::string said = "Cannot record to \"" + recordPath + "\": " + reason;
        std::cout << said << "." << std::endl;
        hud->notify(said);
        delete recorder;
        recorder = nullptr;
    }
}

void Game::recordFrame(int64_t stepNs, const PlayerCommand& command) {
    ++stats.frames;
    if (recorder != nullptr) {
        recorder->frame({stepNs, command, worldChecksum()});
    }
}

void Game::stopRecording() {
    if (recorder != nullptr) {
        recorder->finish();
        delete recorder;
        recorder = nullptr;
    }
}

// Play begins as the recording's did, without the menu; the turning is the recording's.
void Game::startReplay(Demo* demo, bool timed) {
    replay = demo;
    timedReplay = timed;
    replayed = 0;
    beginPlay();
    if (demo->startsWithLoad) {
        putBackSave(demo->save);
    }
    camera->radiansPerPixel =
        demo->smoothTurning ? demo->sensitivity * Settings::SMOOTH_RADIANS_PER_STEP : 0.0;
    replayStarted = Timer::readCounter();
}

// The frame's command from the demo; at its end, on Escape or the close button, the
// replay stops. The recording's own pauses and switches are passed over, as a replay
// goes on where the recording went on: of the player's keys, Pause, the full screen key
// and the screenshot key count instead.
bool Game::nextReplayFrame(Demo::Frame& frame, bool closeRequested) {
    inputSystem->readKeyboard();
    const bool stopped = closeRequested || inputSystem->keyPressed(ALLEGRO_KEY_ESCAPE);
    const bool pause = inputSystem->pauseKeyPressed();
    const bool fullscreen = inputSystem->fullscreenKeyPressed();
    const bool screenshot =
        inputSystem->keyPressed(settings.keys.key(KeyBindings::Action::Screenshot));
    inputSystem->rememberKeyboard();
    if (stopped || replayed >= replay->frames.size()) {
        endReplay();
        return false;
    }
    frame = replay->frames[replayed++];
    frame.command.pause = pause;
    frame.command.fullscreen = fullscreen;
    frame.command.screenshot = screenshot;
    return true;
}

void Game::checkReplayFrame(const Demo::Frame& frame) {
    ++stats.frames;
    if (worldChecksum() == frame.checksum) {
        return;
    }
    std::cout << "The demo went out of step at frame " << replayed << std::endl;
    exitStatus = OUT_OF_STEP_STATUS;
    replayEnded = true;
    quit = true;
    playing = false;
}

void Game::endReplay() {
    if (replayEnded) {
        return;
    }
    replayEnded = true;
    if (!replay->cut.empty() && replayed >= replay->frames.size()) {
        std::cout << "The demo is cut short (" << replay->cut << "): it played up to frame "
                  << replayed << std::endl;
    }
    std::cout << "Demo ended after " << replayed << " frames" << std::endl;
    if (timedReplay) {
        const double seconds =
            static_cast<double>(Timer::readCounter() - replayStarted) / Timer::readFrequency();
        std::cout << replayed << " frames in " << std::fixed << std::setprecision(3) << seconds
                  << " s: " << std::setprecision(1) << (seconds > 0 ? replayed / seconds : 0.0)
                  << " frames per second" << std::endl;
        std::cout.unsetf(std::ios::floatfield);
    }
    quit = true;
    playing = false;
}

// The game as it ended, in "key value" lines, written beside and renamed into place.
bool Game::writeStatDump(const std::string& path) const {
    std::ostringstream text;
    text << std::fixed << std::setprecision(3);
    text << "frames " << stats.frames << "\n";
    text << "world_time_ms " << (worldClock->now() - worldStart) / 1000000 << "\n";
    text << "x " << camera->posX << "\n";
    text << "y " << camera->posY << "\n";
    text << "cell " << NumberParser::truncateToInt(camera->posX) << " "
         << NumberParser::truncateToInt(camera->posY) << "\n";
    text << "health " << player->health << "\n";
    text << "mana " << player->mana << "\n";
    text << "stamina " << player->stamina << "\n";
    text << "units " << units.size() << "\n";
    for (const Unit* unit : units) {
        text << "unit " << NumberParser::truncateToInt(unit->x) << " "
             << NumberParser::truncateToInt(unit->y) << "\n";
    }
    text << "kills " << stats.kills << "\n";
    text << "blows_given " << stats.blowsGiven << "\n";
    text << "blows_taken " << stats.blowsTaken << "\n";
    text << "hits " << stats.hits << "\n";
    text << "misses " << stats.misses << "\n";
    text << "saves " << stats.saves << "\n";
    text << "game_speed " << gameTimer->factor << "\n";
    std::string reason;
    if (!RegularFile::replace(path, text.str(), reason)) {
        std::cout << "Cannot write the statistics to \"" << path << "\": " << reason << "."
                  << std::endl;
        return false;
    }
    return true;
}
