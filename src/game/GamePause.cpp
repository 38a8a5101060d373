// Play held still: while the window is without the keyboard focus or the Pause key holds
// it, nothing of the world runs, the pointer is free, and the loop sleeps between looks
// at the window and the keys.
#include "game/Game.h"

#include "game/PlayView.h"

namespace {

// A key, the focus or the close button wakes the wait at once; the time out only
// shows the picture again, in case another window drew over it. A pad wakes nothing, so
// with one in use the pause looks at it twenty times a second.
const double PAUSED_WAIT_SECONDS = 1.0;
const double PAD_PAUSED_WAIT_SECONDS = 0.05;

} // namespace

void Game::pausePlay(const SwordSway& sway) {
    displaySystem->showPointer();
    inputSystem->spendHeldKeys();
    pauseScreen->padIs(inputSystem->padConnected());
    pauseScreen->tallyLines = tally().lines();
    if (recordedGame->skill != Skill::DESIGNED) {
        pauseScreen->tallyLines.insert(pauseScreen->tallyLines.begin(),
                                       std::string("Skill: ") +
                                           Skill::at(recordedGame->skill).label);
    }
    if (!view->wayOn.empty()) {
        pauseScreen->tallyLines.push_back(view->wayOn); // the level is cleared: N goes on
    }
    showPauseScreen(sway);
}

void Game::runPausedPass(const SwordSway& sway) {
    const bool hadPad = inputSystem->padConnected();
    displaySystem->waitForEvents(hadPad ? PAD_PAUSED_WAIT_SECONDS : PAUSED_WAIT_SECONDS);
    const WindowEvents news = displaySystem->readEvents();
    const std::string wasSaid = pauseScreen->lines();
    if (news.focusLost) {
        pauseScreen->focusLost();
    }
    if (news.focusGained) {
        pauseScreen->focusGained();
    }
    const MenuCommand command = readMenuCommand(false);
    inputSystem->takePadUnplugged(); // paused already
    Screen::Next next = pauseScreen->update(command);
    if (news.closeRequested) {
        next = Screen::Next::Quit;
    }
    if (next == Screen::Next::Options && !recordedGame->replaying()) {
        next = runOptions() ? Screen::Next::Quit : Screen::Next::Stay;
        if (next == Screen::Next::Stay) {
            showPauseScreen(sway);
            return;
        }
    }
    if (next == Screen::Next::Quit) {
        if (!quit) {
            eventSystem->fireEvent(Event(QUIT_EVENT)); // saves, and ends the game
        }
        return;
    }
    if (next == Screen::Next::Resume) {
        resumePlay();
        return;
    }
    // The hints say how to go on, which depends on why play is paused and on the pad.
    if (pauseScreen->lines() != wasSaid) {
        showPauseScreen(sway);
    } else {
        displaySystem->showKeptFrame();
    }
}

// The world's clock moves only with frames of play, so every clock of the world stops
// with it and goes on where it was.
void Game::resumePlay() {
    displaySystem->hidePointer();
    displaySystem->centrePointer();
    // Wherever the pointer was, its first reading from here turns nothing, and the key
    // that played on (or closed the screen over play) does nothing more.
    inputSystem->startAfresh();
    inputSystem->spendHeldKeys();
    frameTimer->start();         // the next frame comes a frame period from now
    recordedGame->resumeClock(); // the pause is no time of the world's
}

// Drawn once into a frame kept for the pause, which each later showing only copies.
void Game::showPauseScreen(const SwordSway& sway) {
    displaySystem->beginKeptFrame();
    view->drawFrame(sway, true);
    pauseScreen->draw();
    displaySystem->showKeptFrame();
}
