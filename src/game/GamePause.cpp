// Play held still: while the window is without the keyboard focus or the Pause key holds
// it, nothing of the world runs, the pointer is free, and the loop sleeps between looks
// at the window and the keys.
#include "game/Game.h"

#include "game/PlayView.h"

#include <cstring>

namespace {

// A key, the focus or the close button wakes the wait at once; the time out only
// shows the picture again, in case another window drew over it. A pad wakes nothing, so
// with one in use the pause looks at it twenty times a second.
const double PAUSED_WAIT_SECONDS = 1.0;
const double PAD_PAUSED_WAIT_SECONDS = 0.05;

bool sameLines(const PlayView::PauseLines& a, const PlayView::PauseLines& b) {
    return std::strcmp(a.goOn, b.goOn) == 0 && std::strcmp(a.leave, b.leave) == 0 &&
           std::strcmp(a.options, b.options) == 0;
}

} // namespace

bool Game::paused() const {
    return unfocused || pausedByKey || padUnplugged;
}

void Game::pausePlay(const SwordSway& sway) {
    holdWorldClocks(true);
    displaySystem->showPointer();
    showPauseScreen(sway);
}

void Game::runPausedPass(const SwordSway& sway) {
    const bool hadPad = inputSystem->padConnected();
    displaySystem->waitForEvents(hadPad ? PAD_PAUSED_WAIT_SECONDS : PAUSED_WAIT_SECONDS);
    const WindowEvents news = displaySystem->readEvents();
    const PlayView::PauseLines wasSaid = pauseLines();
    if (news.focusLost) {
        unfocused = true;
    }
    if (news.focusGained) {
        unfocused = false;
    }
    // Only leaving, going on and the Options screen are read while paused.
    inputSystem->readKeyboard();
    inputSystem->readMouse();
    inputSystem->readPad();
    inputSystem->takePadUnplugged(); // paused already
    const PadControls::MenuMoves pad = inputSystem->padMoves();
    bool leave = news.closeRequested || inputSystem->keyDown(ALLEGRO_KEY_ESCAPE) || pad.quit;
    if (inputSystem->pauseKeyPressed() || pad.start) {
        pausedByKey = false;
        padUnplugged = false;
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
    // The hints say how to go on, which depends on why play is paused and on the pad.
    if (!sameLines(pauseLines(), wasSaid)) {
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
    view->drawPauseScreen(sway, pauseLines());
    displaySystem->showKeptFrame();
}

PlayView::PauseLines Game::pauseLines() const {
    const bool pad = inputSystem->padConnected();
    PlayView::PauseLines lines;
    lines.goOn = unfocused      ? "Click the window to play on"
                 : padUnplugged ? "The pad was unplugged: press Pause to play on"
                 : pad          ? "Press Pause or Start to play on"
                                : "Press Pause to play on";
    lines.leave = pad ? "Escape, or Back held, saves and quits" : "Escape saves and quits";
    lines.options = optionsLine();
    return lines;
}
