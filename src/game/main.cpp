#include "game/Game.h"

#include <cstdlib>
#include <iostream>

// Reads the command line, then runs the menu or play loop until the game is told to
// quit. The exit status is 0 for a normal end, 1 when the game could not start or the
// save made on quitting failed (the reason is on the console, before the exit report),
// and 2 for a command line it cannot use, before any window opens.
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
    game->startMode = line.startMode;
    // The launcher's word when the player's folder cannot keep the save.
    const char* notKept = std::getenv("DUSKMARCH_NOT_KEPT");
    game->playNotice = notKept != nullptr ? notKept : "";
    if (!line.levelPath.empty()) {
        game->levelPath = line.levelPath;
        game->savePath = CommandLine::saveNameFor(line.levelPath);
    }
    game->recordPath = line.recordPath;
    if (!game->init(ScreenSize{600, 400})) {
        delete game;
        return 1;
    }
    Demo demo = line.demo;
    if (line.replaying) {
        game->startReplay(&demo, line.timed);
    }
    while (!game->quit) {
        if (game->playing) {
            game->runPlay();
        } else if (game->inMenu) {
            game->runMenu();
        }
    }
    if (line.replaying) {
        game->endReplay(); // once more, for a replay the demo's own Escape ended
    }
    if (!line.statDumpPath.empty()) {
        game->writeStatDump(line.statDumpPath);
    }
    const int status = game->exitStatus != 0 ? game->exitStatus : game->quitSaveFailed ? 1 : 0;
    delete game;
    return status;
}
