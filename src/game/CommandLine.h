#pragma once

#include "world/Demo.h"

#include <string>
#include <vector>

// What the player asked for on the command line, read with getopt_long. With no option
// the game starts as it always has. Every option is declared once, in options(): the
// table getopt_long reads, --help and the manual page's OPTIONS all come from it.
class CommandLine {
  public:
    enum class StartMode { Remembered, Windowed, Fullscreen };
    enum class Outcome {
        Play,    // start the game
        Exit,    // --help or --version: said on standard output, status 0
        Refused, // said on standard error in one line, status 2, no window opened
    };
    // What an option asks for.
    enum class Asks {
        Help,
        Version,
        Windowed,
        Fullscreen,
        Skill,
        Level,
        Edit,
        Record,
        PlayDemo,
        TimeDemo,
        StatDump
    };

    struct Option {
        Asks asks;
        const char* name;     // the long name, without its dashes
        char shortName;       // or 0
        const char* argument; // what it takes ("FILE"), or null
        // Options of one group other than 0 cannot go together.
        int group;
        const char* help;   // one line of --help, wrapped by help()
        const char* manual; // its paragraph in the manual page, in roff
    };
    static const std::vector<Option>& options();

    static CommandLine parse(int argc, char** argv);

    // The options and what each does, as --help prints them.
    static std::string help();
    // The manual page's OPTIONS section, from its heading to the paragraphs after it.
    static std::string manualOptions();
    static std::string version();
    // The game's version number alone, as demos name it: "0.1.0".
    static std::string gameVersion();
    // The save of a level of one's own, beside the shipped level's "gamesave.dat":
    // "gamesave-NAME-HASH.dat", NAME from the level's file name, HASH from its full path,
    // so that two levels of one name elsewhere keep saves of their own.
    static std::string saveNameFor(const std::string& levelPath);

    Outcome outcome = Outcome::Play;
    std::string said; // what --help or --version print, or why the line was refused
    StartMode startMode = StartMode::Remembered;
    int skill = -1;        // --skill: an index of Skill::table() for this run, or -1
    std::string levelPath; // empty: the shipped level
    std::string editPath;  // --edit: the level to open in the editor instead of the menu
    std::string recordPath;
    std::string statDumpPath;
    bool replaying = false;
    bool timed = false; // --timedemo: no wait between frames
    Demo demo;          // the demo to play, read and checked against the level
};
