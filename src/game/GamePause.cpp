// Play held still: while the window is without the keyboard focus or the Pause key holds
// it, nothing of the world runs, the pointer is free, and the loop sleeps between looks
// at the window and the keys.
#include "game/Game.h"

#include "game/PlayView.h"

namespace {

// A key, the focus or the close button wakes the wait at once; the time out only
// shows the picture again, in case another window drew over it.
const double PAUSED_WAIT_SECONDS = 1.0;

} // namespace

bool Game::paused() const {
    return unfocused || pausedByKey;
}

void Game::pausePlay(const SwordSway& sway) {
    holdWorldClocks(true);
    displaySystem->showPointer();
    showPauseScreen(sway);
}

void Game::runPausedPass(const SwordSway& sway) {
    displaySystem->waitForEvents(PAUSED_WAIT_SECONDS);
    const WindowEvents news = displaySystem->readEvents();
    const bool wasUnfocused = unfocused;
    if (news.focusLost) {
        unfocused = true;
    }
    if (news.focusGained) {
        unfocused = false;
    }
    // Only leaving, going on and the Options screen are read while paused.
    inputSystem->readKeyboard();
    inputSystem->readMouse();
    bool leave = news.closeRequested || inputSystem->keyDown(ALLEGRO_KEY_ESCAPE);
    if (inputSystem->pauseKeyPressed()) {
        pausedByKey = false;
    }
    const bool options = !leave && optionsAsked(PlayView::OPTIONS_LINE_Y);
    inputSystem->rememberKeyboard();
    if (options) {
        leave = runOptions();
    }
    if (leave && !quit) {
        eventSystem->fireEvent(Event(QUIT_EVENT)); // saves, and ends the game
        return;
    }
    if (options) {
        showPauseScreen(sway);
        return;
    }
    if (!paused()) {
        resumePlay();
        return;
    }
    // The hint says how to go on, which depends on why play is paused.
    if (unfocused != wasUnfocused) {
        showPauseScreen(sway);
    } else {
        displaySystem->showKeptFrame();
    }
}

void Game::resumePlay() {
    holdWorldClocks(false);
    displaySystem->hidePointer();
    displaySystem->centrePointer();
    // Wherever the pointer was, its first reading from here turns nothing.
    inputSystem->startAfresh();
    frameTimer->start();                  // the next frame comes a frame period from now
    lastWorldStep = Timer::readCounter(); // the pause is no time of the world's
}

// Every clock of the world stops with it and goes on where it was: a unit's next step,
// its walk and the sword's swing neither jump nor catch up after a pause.
void Game::holdWorldClocks(bool hold) {
    auto holdClock = [hold](Timer* timer) {
        if (timer != nullptr) {
            hold ? timer->stop() : timer->resume();
        }
    };
    for (Unit* unit : units) {
        holdClock(unit->timer);
        holdClock(unit->animation != nullptr ? unit->animation->timer : nullptr);
    }
    holdClock(swordAnimation->timer);
    holdClock(&hud->noticeTimer);
    holdClock(&hud->captionTimer);
}

// Drawn once into a frame kept for the pause, which each later showing only copies.
void Game::showPauseScreen(const SwordSway& sway) {
    displaySystem->beginKeptFrame();
    view->drawPauseScreen(sway, unfocused, OPTIONS_LINE);
    displaySystem->showKeptFrame();
}
