#include "game/CommandLine.h"

#include "core/RegularFile.h"

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

enum Option { HELP = 'h', VERSION = 256, WINDOWED, FULLSCREEN, LEVEL };

const option OPTIONS[] = {
    {"help", no_argument, nullptr, HELP},         {"version", no_argument, nullptr, VERSION},
    {"windowed", no_argument, nullptr, WINDOWED}, {"fullscreen", no_argument, nullptr, FULLSCREEN},
    {"level", required_argument, nullptr, LEVEL}, {nullptr, 0, nullptr, 0},
};

// Only whether the level can be read is asked here; it is read when play begins.
const std::size_t LEVEL_PROBE_BYTES = 1;

CommandLine refuse(const std::string& why) {
    CommandLine line;
    line.outcome = CommandLine::Outcome::Refused;
    line.said = "duskmarch: " + why + "; see duskmarch --help\n";
    return line;
}

std::string usableLevel(const std::string& path) {
    const RegularFile::Contents file = RegularFile::read(path, LEVEL_PROBE_BYTES);
    if (file.outcome == RegularFile::Outcome::Missing) {
        return "there is no such file";
    }
    return file.outcome == RegularFile::Outcome::Refused ? file.problem : "";
}

} // namespace

CommandLine CommandLine::parse(int argc, char** argv) {
    CommandLine line;
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
           "\n"
           "Exit status: 0 after a normal end, 1 when the game cannot start or its last\n"
           "save failed, 2 for a command line it cannot use.\n";
}

std::string CommandLine::version() {
    return std::string("Duskmarch ") + DUSKMARCH_VERSION + "\n";
}

std::string CommandLine::saveNameFor(const std::string& levelPath) {
    char* resolved = realpath(levelPath.c_str(), nullptr);
    const std::string full = resolved != nullptr ? resolved : levelPath;
    std::free(resolved);
    uint32_t hash = 2166136261u; // FNV-1a
    for (unsigned char c : full) {
        hash = (hash ^ c) * 16777619u;
    }
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
