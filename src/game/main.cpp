#include "game/Game.h"

#include <cstdlib>
#include <iostream>

// Reads the command line, then runs the menu or play loop until the game is told to
// quit. The exit status is 0 for a normal end; 1 when the game could not start, the save
// made on quitting failed or the summary asked for could not be written (the reason is
// on the console, before the exit report); 2 for a command line it cannot use, before any
// window opens; 3 for a demo that went out of step.
int main(int argc, char** argv) {
    const CommandLine line = CommandLine::parse(argc, argv);
    if (line.outcome == CommandLine::Outcome::Exit) {
        std::cout << line.said;
        return 0;
    }
    if (line.outcome == CommandLine::Outcome::Refused) {
        std::cerr << line.said;
        return 2;
    }
    Game* game = new Game();
    game->playerSettings->startMode = line.startMode;
    game->playerSettings->skillOverride = line.skill;
    // The launcher's word when the player's folder cannot keep the save.
    const char* notKept = std::getenv("DUSKMARCH_NOT_KEPT");
    game->files.notKept = notKept != nullptr ? notKept : "";
    if (!line.levelPath.empty()) {
        game->files.levelPath = line.levelPath;
        game->files.savePath = CommandLine::saveNameFor(line.levelPath);
    }
    game->files.recordPath = line.recordPath;
    if (!game->init(ScreenSize{600, 400})) {
        delete game;
        return 1;
    }
    Demo demo = line.demo;
    if (line.replaying) {
        game->startReplay(&demo, line.timed);
    }
    if (!line.editPath.empty()) {
        game->editFile(line.editPath);
    }
    while (!game->quit) {
        if (game->playing) {
            game->runPlay();
        } else if (game->inMenu) {
            game->runMenu();
        }
    }
    game->recordedGame->endReplay(); // once more, for a replay the demo's own Escape ended
    const bool summarised =
        line.statDumpPath.empty() || game->recordedGame->writeStatDump(line.statDumpPath);
    const int status = game->exitStatus() != 0 ? game->exitStatus() : summarised ? 0 : 1;
    delete game;
    return status;
}
