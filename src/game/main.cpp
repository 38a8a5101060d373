#include "game/Game.h"

// Runs the menu or play loop until the game is told to quit. The exit status is 0 for a
// normal end and 1 when the game could not start, or when the save made on quitting
// failed (the reason is on the console, before the exit report).
int main() {
    Game* game = new Game();
    if (!game->init(ScreenSize{600, 400})) {
        delete game;
        return 1;
    }
    while (!game->quit) {
        if (game->playing) {
            game->runPlay();
        } else if (game->inMenu) {
            game->runMenu();
        }
    }
    const int status = game->quitSaveFailed ? 1 : 0;
    delete game;
    return status;
}
