#pragma once

#include "core/PlayerCommand.h"
#include "core/Settings.h"
#include "core/Skill.h"
#include "core/Timer.h"
#include "core/Trackable.h"
#include "core/WorldClock.h"
#include "render/Camera.h"
#include "units/Unit.h"
#include "world/Demo.h"
#include "world/DemoRecorder.h"
#include "world/SeenCells.h"

#include <cstdint>
#include <string>
#include <vector>

// The game as a recorded game sees it: the world's step each frame (measured in play,
// taken from the demo in a replay), the recording, the replay with its check of every
// frame, the counts of what happened, and the summary of the game as it ended.
class RecordedGame : public Trackable {
  public:
    // What the checksums and the summary read of the world, owned by the game.
    struct World {
        const Camera* camera = nullptr;
        const Unit* player = nullptr;
        const std::vector<Unit*>* units = nullptr;
        const Timer* gameTimer = nullptr;
        const WorldClock* clock = nullptr;
        const SeenCells* seen = nullptr; // the map's cells seen and marks
    };
    // The counts of what happened in play, for the summary.
    struct Stats {
        int64_t frames = 0;
        int32_t kills = 0, blowsGiven = 0, blowsTaken = 0, hits = 0, misses = 0, saves = 0;
        int32_t calledKills = 0; // of the kills, those of skulls the player called up
    };
    static constexpr int OUT_OF_STEP_STATUS = 3;

    explicit RecordedGame(const World& world) : world(world) {}
    ~RecordedGame();
    RecordedGame(const RecordedGame&) = delete;
    RecordedGame& operator=(const RecordedGame&) = delete;

    // Recording, from the moment play begins to the end; the problem when the file cannot
    // be made, or empty.
    std::string startRecording(const std::string& path, const Demo& header);
    void stopRecording();

    // Play begins as the demo's did, and goes on frame by frame from it.
    void startReplay(const Demo* demo, bool timed);
    bool replaying() const { return replay != nullptr; }
    bool timed() const { return timedReplay; }
    const Demo* demo() const { return replay; }
    // The player's settings with those that steer the world taken from the demo while
    // it plays: whatever the player changes, a replay plays as it was recorded.
    Settings inForce(const Settings& players) const;

    // Play begins now: the world's time starts from here.
    void startClock();
    // Play goes on after a pause, which is no time of the world's.
    void resumeClock() { lastWorldStep = Timer::readCounter(); }
    // The world's step for this frame of play, in nanoseconds: the real time since the
    // last frame (a pause is no time of the world's).
    int64_t measureStep();

    // The next frame of the replay, with the player's keys that count during one (Pause,
    // the full screen and screenshot keys); false at its end or when keys.quit stops it.
    bool nextFrame(const PlayerCommand& keys, Demo::Frame& frame);
    // After the frame: false when the world is not the recording's (said, with the
    // out-of-step status).
    bool checkFrame(const Demo::Frame& frame);
    // After a frame of play: counted, and recorded when recording.
    void recordFrame(int64_t stepNs, const PlayerCommand& command);
    // Says how the replay ended, once.
    void endReplay();

    // Where the player stands and looks, the statistics, every unit's place and health,
    // and the game's speed.
    uint64_t worldChecksum() const;
    // The game as it ended, in "key value" lines, written beside and renamed into place.
    // False, said on the console, when it cannot be.
    bool writeStatDump(const std::string& path) const;

    // The world's time since play began, in milliseconds.
    int64_t worldTimeMs() const { return (world.clock->now() - worldStart) / 1000000; }
    // The rules this game is played by: its skill (from Play, or its save) and the skill's
    // knobs, or a replay's, which its demo carries.
    int skill = Skill::DESIGNED;
    Skill::Knobs knobs;
    void playAt(int skillIndex) {
        skill = skillIndex;
        knobs = Skill::at(skillIndex).knobs;
    }

    Stats stats;
    int exitStatus = 0;
    // The save's text as Load read it, for a recording that begins with it.
    std::string loadedSave;

  private:
    World world;
    DemoRecorder* recorder = nullptr;
    const Demo* replay = nullptr; // owned by the caller of startReplay
    bool timedReplay = false;
    bool replayEnded = false;
    std::size_t replayed = 0;
    int64_t replayStarted = 0;
    // The real clock's count when the world's clock last moved on.
    int64_t lastWorldStep = 0;
    int64_t worldStart = 0;
};
