// Recorded games: a demo written as the game goes, played back frame by frame with the
// world's clock moved on by each recorded frame's time, checked against the recorded
// state every frame; and the summary of a game as it ended.
#include "game/RecordedGame.h"

#include "core/RegularFile.h"
#include "world/NumberParser.h"

#include <algorithm>
#include <iomanip>
#include <iostream>
#include <sstream>

namespace {

template <typename T> uint64_t mix(uint64_t sum, const T& value) {
    return Demo::hash(&value, sizeof value, sum);
}

} // namespace

RecordedGame::~RecordedGame() {
    stopRecording();
}

uint64_t RecordedGame::worldChecksum() const {
    const Camera& camera = *world.camera;
    uint64_t sum = Demo::SEED;
    for (double value : {camera.posX, camera.posY, camera.dirX, camera.dirY, camera.planeX,
                         camera.planeY, world.gameTimer->factor}) {
        sum = mix(sum, value);
    }
    for (int32_t value : {world.player->health, world.player->mana, world.player->stamina}) {
        sum = mix(sum, value);
    }
    for (const Unit* unit : *world.units) {
        sum = mix(mix(mix(sum, unit->x), unit->y), unit->health);
    }
    return sum;
}

std::string RecordedGame::startRecording(const std::string& path, const Demo& header) {
    if (path.empty() || replaying()) {
        return "";
    }
    recorder = new DemoRecorder();
    std::string reason;
    if (recorder->start(path, header, reason)) {
        return "";
    }
    delete recorder;
    recorder = nullptr;
    return "Cannot record to \"" + path + "\": " + reason;
}

void RecordedGame::recordFrame(int64_t stepNs, const PlayerCommand& command) {
    ++stats.frames;
    if (recorder != nullptr) {
        recorder->frame({stepNs, command, worldChecksum()});
    }
}

void RecordedGame::stopRecording() {
    if (recorder != nullptr) {
        recorder->finish();
        delete recorder;
        recorder = nullptr;
    }
}

void RecordedGame::startReplay(const Demo* demo, bool timed) {
    replay = demo;
    timedReplay = timed;
    skill = std::max(Skill::indexOf(demo->skillWord), 0);
    knobs = demo->knobs;
    replayed = 0;
    replayStarted = Timer::readCounter();
}

Settings RecordedGame::inForce(const Settings& players) const {
    return replay != nullptr ? players.steeredBy(replay->steering) : players;
}

void RecordedGame::startClock() {
    lastWorldStep = Timer::readCounter();
    worldStart = world.clock->now();
}

int64_t RecordedGame::measureStep() {
    const int64_t now = Timer::readCounter();
    const int64_t step = now - lastWorldStep;
    lastWorldStep = now;
    return step;
}

// The recording's own pauses and switches are passed over, as a replay goes on where the
// recording went on: of the player's keys, Pause, the full screen key and the screenshot
// key count instead.
bool RecordedGame::nextFrame(const PlayerCommand& keys, Demo::Frame& frame) {
    if (keys.quit || replayed >= replay->frames.size()) {
        endReplay();
        return false;
    }
    frame = replay->frames[replayed++];
    frame.command.pause = keys.pause;
    frame.command.fullscreen = keys.fullscreen;
    frame.command.screenshot = keys.screenshot;
    return true;
}

bool RecordedGame::checkFrame(const Demo::Frame& frame) {
    ++stats.frames;
    if (worldChecksum() == frame.checksum) {
        return true;
    }
    std::cout << "The demo went out of step at frame " << replayed << std::endl;
    exitStatus = OUT_OF_STEP_STATUS;
    replayEnded = true;
    return false;
}

void RecordedGame::endReplay() {
    if (replayEnded || replay == nullptr) {
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
}

bool RecordedGame::writeStatDump(const std::string& path) const {
    const Camera& camera = *world.camera;
    std::ostringstream text;
    text << std::fixed << std::setprecision(3);
    text << "frames " << stats.frames << "\n";
    text << "world_time_ms " << worldTimeMs() << "\n";
    text << "x " << camera.posX << "\n";
    text << "y " << camera.posY << "\n";
    text << "cell " << NumberParser::truncateToInt(camera.posX) << " "
         << NumberParser::truncateToInt(camera.posY) << "\n";
    text << "health " << world.player->health << "\n";
    text << "mana " << world.player->mana << "\n";
    text << "stamina " << world.player->stamina << "\n";
    text << "units " << world.units->size() << "\n";
    for (const Unit* unit : *world.units) {
        text << "unit " << NumberParser::truncateToInt(unit->x) << " "
             << NumberParser::truncateToInt(unit->y) << "\n";
    }
    text << "kills " << stats.kills << "\n";
    text << "blows_given " << stats.blowsGiven << "\n";
    text << "blows_taken " << stats.blowsTaken << "\n";
    text << "hits " << stats.hits << "\n";
    text << "misses " << stats.misses << "\n";
    text << "saves " << stats.saves << "\n";
    text << "game_speed " << world.gameTimer->factor << "\n";
    text << "kills_called " << stats.calledKills << "\n";
    if (world.seen != nullptr) {
        text << "seen_cells " << world.seen->count() << "\n";
        text << "marks " << world.seen->marks().size() << "\n";
    }
    std::string reason;
    if (!RegularFile::replace(path, text.str(), reason)) {
        std::cout << "Cannot write the statistics to \"" << path << "\": " << reason << "."
                  << std::endl;
        return false;
    }
    return true;
}
