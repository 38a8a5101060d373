#pragma once

#include "core/PlayerCommand.h"
#include "core/Settings.h"
#include "core/Skill.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A recorded game, as text: a header, then one line for every frame of play, each with
// the frame's command, the time the world's clock moved on by, and a checksum of the
// world after it. Format version 5:
//
//   duskmarch-demo 4
//   game 0.1.0
//   level RirUdodu.lev 5f3a...         the level's file name and its bytes' FNV-1a hash
//   turning classic 5                  the settings the world's course depends on
//   skill haunted 4 1 1000 450 1 1 1   the skill and its knobs: blow damage, stamina a
//                                      second, step in thousandths, strike delay in ms,
//                                      whether the player falls, the fight cues, and
//                                      whether the sword reaches the skull's square
//   start play                         or "start load N", then the N bytes of the save
//   frame 16667000 1 0 0 -3 250 rw 0a1b...  nanoseconds, forward, strafe, key turn,
//   ...                                pointer travel, stick turn, the flags ('-' for
//   end 1234                           none), the checksum; then the frames' count, which
//                                      a demo cut short lacks
//
// Version 1, written before pads, is the same but for the stick turn, which its frames
// lack; version 2, written before the map, lacks its three flags; version 3, written
// before skills, has no skill line; version 4, written while the sword reached a circle at
// every skill, has no reach on it. All are read as ever, and replay as they did.
// Flags, in this order: r run, q quit, s spawn, l slower, f faster, w sword, v save,
// p footstep; from version 3, m the map opened or closed, k a mark, x the marks cleared.
class Demo {
  public:
    static constexpr int FORMAT_VERSION = 5;
    // A stick turn beyond this many thousandths of a base turn is no pad's.
    static constexpr int STICK_TURN_LIMIT = 2000;
    // Far more than an hour of play at sixty frames a second.
    static constexpr std::size_t SIZE_LIMIT = 64u << 20;

    struct Frame {
        int64_t stepNs = 0;
        PlayerCommand command;
        uint64_t checksum = 0;
    };

    int32_t formatVersion = FORMAT_VERSION; // as read; a recording writes the newest
    std::string gameVersion;
    std::string levelName;
    uint64_t levelHash = 0;
    // The settings that steer the world (the turning and its sensitivity), as recorded;
    // the rest are the defaults.
    Settings steering;
    static constexpr const char* STEERING_LINE = "turning";
    // The skill the game was played at, and its knobs, which rule the replay (version 4;
    // earlier demos were played as designed).
    std::string skillWord = Skill::table().front().word;
    Skill::Knobs knobs;
    static constexpr const char* SKILL_LINE = "skill";
    bool startsWithLoad = false;
    std::string save; // the save a Load began from
    std::vector<Frame> frames;
    bool complete = false; // it has its end line

    // The header's lines, and one frame's line, as written.
    std::string header() const;
    // A frame's line in the given format version (a version 1 line has no stick turn).
    static std::string frameLine(const Frame& frame, int version = FORMAT_VERSION);
    static std::string endLine(std::size_t frames);

    // Reads a demo; false, with the reason, when it is none this game can play. A demo
    // cut short keeps its whole frames, and says so in cut.
    static bool read(const std::string& text, Demo& demo, std::string& reason);
    std::string cut; // why the frames end early, when they do

    // FNV-1a, 64 bits: the level's bytes, and the world's state in checksums.
    static uint64_t hash(const void* data, std::size_t size, uint64_t seed = SEED);
    static constexpr uint64_t SEED = 14695981039346656037ull;
};
