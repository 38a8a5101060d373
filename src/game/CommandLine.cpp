#include "game/CommandLine.h"

#include "core/RegularFile.h"
#include "world/LevelFile.h"

#include <cctype>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <getopt.h>

#ifndef DUSKMARCH_VERSION
#define DUSKMARCH_VERSION "0"
#endif

namespace {

enum Option {
    HELP = 'h',
    VERSION = 256,
    WINDOWED,
    FULLSCREEN,
    LEVEL,
    RECORD,
    PLAYDEMO,
    TIMEDEMO,
    STATDUMP
};

const option OPTIONS[] = {
    {"help", no_argument, nullptr, HELP},
    {"version", no_argument, nullptr, VERSION},
    {"windowed", no_argument, nullptr, WINDOWED},
    {"fullscreen", no_argument, nullptr, FULLSCREEN},
    {"level", required_argument, nullptr, LEVEL},
    {"record", required_argument, nullptr, RECORD},
    {"playdemo", required_argument, nullptr, PLAYDEMO},
    {"timedemo", required_argument, nullptr, TIMEDEMO},
    {"statdump", required_argument, nullptr, STATDUMP},
    {nullptr, 0, nullptr, 0},
};

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
    const std::string level = line.levelPath.empty() ? CommandLine::SHIPPED_LEVEL : line.levelPath;
    const RegularFile::Contents levelFile = RegularFile::read(level, LevelFile::FILE_LIMIT);
    const uint64_t hash = Demo::hash(levelFile.text.data(), levelFile.text.size());
    if (levelFile.outcome != RegularFile::Outcome::Read || hash != line.demo.levelHash) {
        return "it was recorded on another level (" + line.demo.levelName + ") than \"" + level +
               "\"";
    }
    return "";
}

} // namespace

CommandLine CommandLine::parse(int argc, char** argv) {
    CommandLine line;
    std::string demoPath;
    opterr = 0; // our own one line says what was wrong
    optind = 1;
    int option;
    while ((option = getopt_long(argc, argv, ":h", OPTIONS, nullptr)) != -1) {
        const std::string given = optind > 0 && optind <= argc ? argv[optind - 1] : "";
        switch (option) {
        case HELP:
            line.outcome = Outcome::Exit;
            line.said = help();
            return line;
        case VERSION:
            line.outcome = Outcome::Exit;
            line.said = version();
            return line;
        case WINDOWED:
            line.startMode = StartMode::Windowed;
            break;
        case FULLSCREEN:
            line.startMode = StartMode::Fullscreen;
            break;
        case LEVEL:
            line.levelPath = optarg;
            break;
        case RECORD:
            line.recordPath = optarg;
            break;
        case PLAYDEMO:
        case TIMEDEMO:
            line.replaying = true;
            line.timed = option == TIMEDEMO;
            demoPath = optarg;
            break;
        case STATDUMP:
            line.statDumpPath = optarg;
            break;
        case ':':
            return refuse(given + " needs a FILE");
        default:
            return refuse("unknown option " +
                          (optopt != 0 ? "-" + std::string(1, static_cast<char>(optopt)) : given));
        }
    }
    if (optind < argc) {
        return refuse("unexpected argument \"" + std::string(argv[optind]) + "\"");
    }
    if (!line.levelPath.empty()) {
        const std::string problem = usableLevel(line.levelPath);
        if (!problem.empty()) {
            return refuse("cannot use the level \"" + line.levelPath + "\": " + problem);
        }
    }
    for (const std::string* path : {&line.recordPath, &line.statDumpPath}) {
        const std::string stranger = path->empty() ? "" : RegularFile::strangerAt(*path);
        if (!stranger.empty()) {
            return refuse("cannot write \"" + *path + "\": " + stranger);
        }
    }
    if (line.replaying) {
        const std::string problem = readDemo(demoPath, line);
        if (!problem.empty()) {
            return refuse("cannot play the demo \"" + demoPath + "\": " + problem);
        }
    }
    return line;
}

std::string CommandLine::help() {
    return "Usage: duskmarch [OPTION]...\n"
           "A first-person dungeon game drawn by ray casting.\n"
           "\n"
           "  -h, --help          show this help and exit\n"
           "      --version       show the version and exit\n"
           "      --windowed      start in the 600x400 window, whatever was last chosen\n"
           "      --fullscreen    start filling the screen, whatever was last chosen\n"
           "      --level FILE    play the level FILE instead of levels/RirUdodu.lev, for\n"
           "                      Play and Load; its save is kept apart from the shipped\n"
           "                      level's\n"
           "      --record FILE   record the game from the moment play begins into FILE\n"
           "      --playdemo FILE play the recorded game FILE at the game's pace, then end\n"
           "      --timedemo FILE play it as fast as it goes, and say how fast\n"
           "      --statdump FILE at the end, write a summary of the game to FILE\n"
           "\n"
           "Exit status: 0 after a normal end, 1 when the game cannot start or its last\n"
           "save failed, 2 for a command line it cannot use, 3 for a demo that went out\n"
           "of step.\n";
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
