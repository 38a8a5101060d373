// Play held still: while the window is without the keyboard focus or the Pause key holds
// it, nothing of the world runs, the pointer is free, and the loop sleeps between looks
// at the window and the keys. Also the switch between the window and the full screen.
#include "game/Game.h"

#include "game/SwordSway.h"

#include <allegro5/allegro_primitives.h>
#include <iostream>

namespace {

// A key, the focus or the close button wakes the wait at once; the time out only
// shows the picture again, in case another window drew over it.
const double PAUSED_WAIT_SECONDS = 1.0;
const int DIM_ALPHA = 150;
const int TITLE_Y = 60;
const int HINT_Y = 118;
const int LINE_GAP = 20;

} // namespace

bool Game::paused() const {
    return unfocused || pausedByKey;
}

void Game::pausePlay(const SwordSway& sway) {
    holdWorldClocks(true);
    al_show_mouse_cursor(displaySystem->display);
    drawPauseScreen(sway);
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
    // Only leaving and going on are read while paused.
    inputSystem->readKeyboard();
    const bool leave = news.closeRequested || inputSystem->keyDown(ALLEGRO_KEY_ESCAPE);
    if (inputSystem->pauseKeyPressed()) {
        pausedByKey = false;
    }
    inputSystem->rememberKeyboard();
    if (leave && !quit) {
        eventSystem->fireEvent(Event(QUIT_EVENT)); // saves, and ends the game
        return;
    }
    if (!paused()) {
        resumePlay();
        return;
    }
    // The hint says how to go on, which depends on why play is paused.
    if (unfocused != wasUnfocused) {
        drawPauseScreen(sway);
    } else {
        displaySystem->showKeptFrame();
    }
}

void Game::resumePlay() {
    holdWorldClocks(false);
    al_hide_mouse_cursor(displaySystem->display);
    recentrePointer();
    frameTimer->start(); // the next frame comes a frame period from now
}

void Game::recentrePointer() {
    al_set_mouse_xy(displaySystem->display, displaySystem->width / 2, displaySystem->height / 2);
    // Wherever the pointer was, its first reading from here turns nothing.
    inputSystem->startAfresh();
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
}

// The view as it stood, dimmed, and how to go on.
void Game::drawPauseScreen(const SwordSway& sway) {
    displaySystem->beginKeptFrame();
    drawFrame(sway);
    const int32_t width = displaySystem->width;
    al_draw_filled_rectangle(0, 0, width, displaySystem->height, al_map_rgba(0, 0, 0, DIM_ALPHA));
    const float centreX = width * 0.5f;
    const ALLEGRO_COLOR bone = Hud::ink();
    if (mainMenu->titleFont != nullptr) {
        al_draw_text(mainMenu->titleFont, bone, centreX, TITLE_Y, ALLEGRO_ALIGN_CENTRE, "Paused");
    }
    const char* goOn = unfocused ? "Click the window to play on" : "Press Pause to play on";
    al_draw_text(font, bone, centreX, HINT_Y, ALLEGRO_ALIGN_CENTRE, goOn);
    al_draw_text(font, bone, centreX, HINT_Y + LINE_GAP, ALLEGRO_ALIGN_CENTRE,
                 "Escape saves and quits");
    displaySystem->showKeptFrame();
}

void Game::switchFullscreen() {
    const bool fill = !displaySystem->fullscreen();
    if (!displaySystem->setFullscreen(fill) && fill && !fullscreenRefusalSaid) {
        std::cout << "Cannot fill the screen here: the desktop keeps the window at its size. "
                     "The game stays in its window."
                  << std::endl;
        fullscreenRefusalSaid = true;
    }
}
