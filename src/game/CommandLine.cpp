#include "game/CommandLine.h"

#include "core/RegularFile.h"
#include "core/Skill.h"
#include "world/LevelFile.h"

#include <cctype>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <getopt.h>
#include <vector>

#ifndef DUSKMARCH_VERSION
#define DUSKMARCH_VERSION "0"
#endif

namespace {

using Asks = CommandLine::Asks;

// Groups of options that cannot go together: one start mode, and one recorded game,
// recorded or replayed.
const int START_MODE = 1;
const int RECORDED_GAME = 2;

// Only whether the level can be read is asked here; it is read when play begins.
const std::size_t LEVEL_PROBE_BYTES = 1;

CommandLine refuse(const std::string& why) {
    CommandLine line;
    line.outcome = CommandLine::Outcome::Refused;
    line.said = "duskmarch: " + why + "; see duskmarch --help\n";
    return line;
}

// Why a file could not be read, or "" when it was.
std::string whyUnread(const RegularFile::Contents& file) {
    switch (file.outcome) {
    case RegularFile::Outcome::Missing:
        return "there is no such file";
    case RegularFile::Outcome::Refused:
        return file.problem;
    default:
        return "";
    }
}

std::string usableLevel(const std::string& path) {
    return whyUnread(RegularFile::read(path, LEVEL_PROBE_BYTES));
}

// Reads the demo and checks that it is of the level about to be played.
std::string readDemo(const std::string& path, CommandLine& line) {
    const RegularFile::Contents file = RegularFile::read(path, Demo::SIZE_LIMIT + 1);
    if (file.outcome != RegularFile::Outcome::Read) {
        return whyUnread(file);
    }
    std::string reason;
    if (!Demo::read(file.text, line.demo, reason)) {
        return reason;
    }
    const std::string level = line.levelPath.empty() ? LevelFile::SHIPPED_PATH : line.levelPath;
    const RegularFile::Contents levelFile = RegularFile::read(level, LevelFile::FILE_LIMIT);
    const uint64_t hash = Demo::hash(levelFile.text.data(), levelFile.text.size());
    if (levelFile.outcome != RegularFile::Outcome::Read || hash != line.demo.levelHash) {
        return "it was recorded on another level (" + line.demo.levelName + ") than \"" + level +
               "\"";
    }
    return "";
}

} // namespace

const std::vector<CommandLine::Option>& CommandLine::options() {
    static const std::vector<Option> table = {
        {Asks::Help, "help", 'h', nullptr, 0, "show this help and exit",
         "show the options and exit"},
        {Asks::Version, "version", 0, nullptr, 0, "show the version and exit",
         "show the version and exit"},
        {Asks::Windowed, "windowed", 0, nullptr, START_MODE,
         "start in the 600x400 window, whatever was last chosen",
         "start in the 600x400 window, whatever was last chosen"},
        {Asks::Fullscreen, "fullscreen", 0, nullptr, START_MODE,
         "start filling the screen, whatever was last chosen",
         "start filling the screen, whatever was last chosen"},
        {Asks::Skill, "skill", 0, "NAME", 0,
         "play new games at the skill NAME for this run, whatever was last chosen:",
         "play new games at the skill NAME for this run, whatever was last chosen on the\n"
         "Options screen:"},
        {Asks::Level, "level", 0, "FILE", 0,
         "play the level FILE instead of levels/RirUdodu.lev, for Play and Load; its save is "
         "kept apart from the shipped level's",
         "play the level FILE instead of the shipped one, for Play and Load; its save,\n"
         ".IR gamesave\\-NAME\\-HASH.dat ,\n"
         "is kept beside the shipped level's and never replaces it"},
        {Asks::Edit, "edit", 0, "FILE", RECORDED_GAME,
         "open the level FILE in the editor (a new level when there is no such file); "
         "Ctrl+S saves it there",
         "open the level FILE in the level editor instead of the main menu, a new level when\n"
         "there is no such file; Ctrl+S saves it to FILE (written beside it and renamed into\n"
         "place), and leaving the editor ends the game"},
        {Asks::Record, "record", 0, "FILE", RECORDED_GAME,
         "record the game from the moment play begins into FILE",
         "record the game into FILE from the moment play begins (Play or Load) until it ends;\n"
         "the file is written as the game goes, so a game that ends badly leaves a demo that\n"
         "plays up to that point"},
        {Asks::PlayDemo, "playdemo", 0, "FILE", RECORDED_GAME,
         "play the recorded game FILE at the game's pace, then end",
         "play the recorded game FILE in the window at the game's pace, then end with\n"
         "\"Demo ended after N frames\"; of the player's keys only Escape (stop), Pause and F11\n"
         "count, and neither the save nor the settings are written"},
        {Asks::TimeDemo, "timedemo", 0, "FILE", RECORDED_GAME,
         "play it as fast as it goes, and say how fast",
         "play it with no wait between frames, and end with \"N frames in S s: F frames per "
         "second\""},
        {Asks::StatDump, "statdump", 0, "FILE", 0,
         "at the end, write a summary of the game to FILE",
         "at the end, write a summary of the game as it ended to FILE, in \"key value\" lines:\n"
         "frames, world_time_ms, x, y, cell, health, mana, stamina, units and a unit line for\n"
         "each, kills, blows_given, blows_taken, hits, misses, saves, game_speed,\n"
         "kills_called, seen_cells, marks; a summary that cannot be written ends the game\n"
         "with status 1"},
    };
    return table;
}

namespace {

// getopt_long's table: each option's value is its place in options(), past the bytes.
std::vector<option> longOptions() {
    std::vector<option> table;
    const auto& options = CommandLine::options();
    for (std::size_t i = 0; i < options.size(); ++i) {
        const CommandLine::Option& given = options[i];
        table.push_back({given.name, given.argument != nullptr ? required_argument : no_argument,
                         nullptr, static_cast<int>(256 + i)});
    }
    table.push_back({nullptr, 0, nullptr, 0});
    return table;
}

// "h" and so on, for the short names; ':' first, so that a missing argument is told apart.
std::string shortOptions() {
    std::string text = ":";
    for (const CommandLine::Option& given : CommandLine::options()) {
        if (given.shortName != 0) {
            text += given.shortName;
            text += given.argument != nullptr ? ":" : "";
        }
    }
    return text;
}

// The option that getopt_long returned, by its value; null for none of ours.
const CommandLine::Option* optionOf(int value) {
    const auto& options = CommandLine::options();
    for (std::size_t i = 0; i < options.size(); ++i) {
        if (value == static_cast<int>(256 + i) ||
            (options[i].shortName != 0 && value == options[i].shortName)) {
            return &options[i];
        }
    }
    return nullptr;
}

// The first option taken of each group.
using GroupsTaken = const CommandLine::Option* [2];

// Takes one option into the line; false with the reason when it cannot go with another.
bool take(const CommandLine::Option& given, const char* argument, CommandLine& line,
          std::string& demoPath, GroupsTaken& groupsTaken, std::string& why) {
    const CommandLine::Option* first = given.group == 0 ? nullptr : groupsTaken[given.group - 1];
    if (first != nullptr && first != &given) {
        why = std::string("--") + first->name + " and --" + given.name + " cannot go together";
        return false;
    }
    if (given.group != 0) {
        groupsTaken[given.group - 1] = &given;
    }
    switch (given.asks) {
    case Asks::Windowed:
        line.startMode = CommandLine::StartMode::Windowed;
        break;
    case Asks::Fullscreen:
        line.startMode = CommandLine::StartMode::Fullscreen;
        break;
    case Asks::Skill:
        line.skill = Skill::indexOf(argument);
        if (line.skill < 0) {
            why = "there is no skill \"" + std::string(argument) + "\"";
            return false;
        }
        break;
    case Asks::Level:
        line.levelPath = argument;
        break;
    case Asks::Edit:
        line.editPath = argument;
        break;
    case Asks::Record:
        line.recordPath = argument;
        break;
    case Asks::PlayDemo:
    case Asks::TimeDemo:
        line.replaying = true;
        line.timed = given.asks == Asks::TimeDemo;
        demoPath = argument;
        break;
    case Asks::StatDump:
        line.statDumpPath = argument;
        break;
    default:
        break;
    }
    return true;
}

// The checks of what the options name, once all are read.
CommandLine checkFiles(CommandLine line, const std::string& demoPath) {
    if (!line.levelPath.empty()) {
        const std::string problem = usableLevel(line.levelPath);
        if (!problem.empty()) {
            return refuse("cannot use the level \"" + line.levelPath + "\": " + problem);
        }
    }
    for (const std::string* path : {&line.editPath, &line.recordPath, &line.statDumpPath}) {
        const std::string stranger = path->empty() ? "" : RegularFile::strangerAt(*path);
        if (!stranger.empty()) {
            return refuse("cannot write \"" + *path + "\": " + stranger);
        }
    }
    // Said now, not after an hour's editing at the first Ctrl+S.
    const std::string noFolder =
        line.editPath.empty() ? "" : RegularFile::missingFolderOf(line.editPath);
    if (!noFolder.empty()) {
        return refuse("cannot write \"" + line.editPath + "\": " + noFolder);
    }
    if (line.replaying) {
        const std::string problem = readDemo(demoPath, line);
        if (!problem.empty()) {
            return refuse("cannot play the demo \"" + demoPath + "\": " + problem);
        }
    }
    return line;
}

} // namespace

CommandLine CommandLine::parse(int argc, char** argv) {
    CommandLine line;
    std::string demoPath;
    const std::vector<option> table = longOptions();
    const std::string shortNames = shortOptions();
    GroupsTaken groupsTaken = {nullptr, nullptr};
    opterr = 0; // our own one line says what was wrong
    optind = 1;
    int value;
    while ((value = getopt_long(argc, argv, shortNames.c_str(), table.data(), nullptr)) != -1) {
        const std::string given = optind > 0 && optind <= argc ? argv[optind - 1] : "";
        const Option* option = optionOf(value);
        if (value == ':') {
            const Option* needing = optionOf(optopt);
            return refuse(
                given + " needs a " +
                (needing != nullptr && needing->argument != nullptr ? needing->argument : "FILE"));
        }
        if (option == nullptr) {
            return refuse("unknown option " +
                          (optopt != 0 ? "-" + std::string(1, static_cast<char>(optopt)) : given));
        }
        if (option->asks == Asks::Help || option->asks == Asks::Version) {
            line.outcome = Outcome::Exit;
            line.said = option->asks == Asks::Help ? help() : version();
            return line;
        }
        std::string why;
        if (!take(*option, optarg, line, demoPath, groupsTaken, why)) {
            return refuse(why);
        }
    }
    if (optind < argc) {
        return refuse("unexpected argument \"" + std::string(argv[optind]) + "\"");
    }
    return checkFiles(line, demoPath);
}

std::string CommandLine::version() {
    return "Duskmarch " + gameVersion() + "\n";
}

std::string CommandLine::gameVersion() {
    return DUSKMARCH_VERSION;
}

std::string CommandLine::saveNameFor(const std::string& levelPath) {
    char* resolved = realpath(levelPath.c_str(), nullptr);
    const std::string full = resolved != nullptr ? resolved : levelPath;
    std::free(resolved);
    const auto hash = static_cast<uint32_t>(Demo::hash(full.data(), full.size()));
    std::string name = levelPath.substr(levelPath.find_last_of('/') + 1);
    name = name.substr(0, name.find('.'));
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_') {
            c = '_';
        }
    }
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", hash);
    return "gamesave-" + name.substr(0, 40) + "-" + hex + ".dat";
}
