// The play loop and one frame of it: the world's step, the player's input, and the view.
#include "game/Game.h"

#include "core/AssetIds.h"
#include "core/BaseDirectories.h"
#include "core/SoundEvent.h"
#include "game/PlayView.h"
#include "game/SwordSway.h"
#include "io/Screenshots.h"
#include "world/NumberParser.h"

#include <iostream>

namespace {

const int32_t START_HEALTH = 100;
const double MOVE_CELLS_PER_SECOND = 4.0;
const double TURN_RADIANS_PER_SECOND = 3.0;
const double SCREENSHOT_NOTICE_MS = 3000.0;

} // namespace

void Game::runPlay() {
    SwordSway sway(displaySystem->height);
    startPlayLoop();
    if (quit) {
        return;
    }
    while (playing) {
        if (view->fallOver() && !recordedGame->replaying()) {
            runFallScreen();
        } else if (paused()) {
            runPausedPass(sway);
        } else if (recordedGame->timed() || frameIsDue()) {
            playFrame(sway);
        } else {
            sleepUntilFrameNearlyDue();
        }
        if (quit) {
            return;
        }
    }
}

// Play begins, or begins again after a fall: the player whole, the pointer at the centre.
void Game::startPlayLoop() {
    camera->init(displaySystem->height, displaySystem->width, mapGrid);
    player->maxHealth = START_HEALTH;
    player->health = START_HEALTH;
    // Turning measures the pointer's travel from the centre; starting there keeps the
    // view from jumping on the first frame.
    displaySystem->centrePointer();
    // The Enter or click that began play is no press of play's.
    inputSystem->spendHeldKeys();
    frameTimer->start();
    recordedGame->startClock();
}

void Game::playFrame(SwordSway& sway) {
    const WindowEvents news = displaySystem->readEvents();
    if (news.focusLost && !news.closeRequested) {
        pauseScreen->focusLost();
        pausePlay(sway);
        return;
    }
    Demo::Frame recorded;
    if (recordedGame->replaying() && !nextReplayFrame(news.closeRequested, recorded)) {
        quit = true;
        playing = false;
        return;
    }
    const int64_t step = recordedGame->replaying() ? recorded.stepNs : recordedGame->measureStep();
    worldClock->advance(step);
    updateWorld();
    PlayerCommand command = recorded.command;
    inputSystem->mapOpen = mapScreen->open;
    inputSystem->mapTakesArrows = mapScreen->takesArrows();
    if (recordedGame->replaying()) {
        inputSystem->fire(command);
    } else if (fallen()) {
        command = fallenInput(news.closeRequested); // only leaving is read while falling
    } else {
        command = takePlayerInput(news.closeRequested);
    }
    takeMapCommands(command);
    if (camera->moved && sway.step(camera->running)) {
        eventSystem->fireEvent(SoundEvent(SoundId::FOOTSTEP, 1.0f, SoundEvent::CENTRE, false));
    }
    camera->markSeen(mapScreen->seen);
    view->tally = tally();
    hud->healthBar = showsCues();
    displaySystem->beginFrame();
    view->drawFrame(sway);
    if (command.screenshot) {
        takeScreenshot();
    }
    displaySystem->showFrame();
    frameTimer->start(); // the next frame is measured from the end of this one
    afterFrame(command, news.closeRequested, step, recorded, sway);
}

PlayerCommand Game::fallenInput(bool closeRequested) {
    PlayerCommand command;
    command.quit = inputSystem->readReplayKeys().quit || closeRequested;
    if (command.quit && !quit) {
        eventSystem->fireEvent(Event(QUIT_EVENT)); // ends the game; nothing is saved
    }
    return command;
}

// The map's part of the frame: opened, closed and marked as the command says (recorded),
// and looked at as the player asks (a replay's map is looked at as it first is).
void Game::takeMapCommands(const PlayerCommand& command) {
    const MapScreen::Player where{camera->posX, camera->posY, camera->dirX, camera->dirY};
    mapScreen->take(command, where);
    mapScreen->look(recordedGame->replaying() ? MapCommand() : inputSystem->mapCommand, where);
}

// The replay's next frame, unless it has ended or the player stopped it.
bool Game::nextReplayFrame(bool closeRequested, Demo::Frame& frame) {
    PlayerCommand keys = inputSystem->readReplayKeys();
    keys.quit = keys.quit || closeRequested;
    return recordedGame->nextFrame(keys, frame);
}

// The frame checked or recorded, then what the player asked of the game around play.
void Game::afterFrame(const PlayerCommand& command, bool closeRequested, int64_t stepNs,
                      const Demo::Frame& recorded, SwordSway& sway) {
    if (recordedGame->replaying()) {
        if (!recordedGame->checkFrame(recorded)) {
            quit = true;
            playing = false;
        }
    } else {
        PlayerCommand kept = command;
        kept.quit = kept.quit || closeRequested; // the close button does what Escape does
        recordedGame->recordFrame(stepNs, kept);
    }
    if (quit) {
        return;
    }
    // A pad pulled out mid-play holds the game still, as losing the focus does.
    if (!recordedGame->replaying() && inputSystem->takePadUnplugged()) {
        pauseScreen->padUnplugged();
    }
    if (command.pause) {
        pauseScreen->pausePressed();
    }
    if (paused()) {
        pausePlay(sway);
    } else if (command.fullscreen) {
        switchFullscreen();
        inputSystem->startAfresh(); // the window moved under the pointer
    } else if (command.nextLevel) {
        goToNextLevel();
    } else if (command.edit && !files.fromEditor && playing) {
        editFromPlay();
    }
}

// The tick, every unit's step, the sword's animation and this frame's camera speeds.
void Game::updateWorld() {
    eventSystem->fireEvent(Event(TICK_EVENT));
    // The player's hurt flag counts down as a unit's does, which keeps the flash short.
    player->handleEvent(Event(TICK_EVENT));
    // The list is read afresh for each unit: a blow may change it.
    const int32_t playerCellX = NumberParser::truncateToInt(camera->posX);
    const int32_t playerCellY = NumberParser::truncateToInt(camera->posY);
    for (std::size_t i = 0; i < units.size(); ++i) {
        Unit* unit = units[i];
        int32_t wayX = -1; // stays -1 when there is no way to the player
        int32_t wayY = -1;
        pathFinder->findPath(NumberParser::truncateToInt(unit->x),
                             NumberParser::truncateToInt(unit->y), playerCellX, playerCellY, wayX,
                             wayY);
        unit->update(mapGrid, camera, gameTimer->factor, wayX, wayY);
        if (i < units.size() && units[i] == unit) {
            chatter(*unit, i);
        }
    }
    swordAnimation->update(gameTimer->factor);
    camera->moveSpeed = (1.0 / framesPerSecond) * MOVE_CELLS_PER_SECOND * gameTimer->factor;
    camera->rotSpeed = (1.0 / framesPerSecond) * TURN_RADIANS_PER_SECOND * gameTimer->factor;
}

// The devices read once into the frame's command, and the command's events fired.
PlayerCommand Game::takePlayerInput(bool closeRequested) {
    const int32_t centreX = displaySystem->width / 2;
    const int32_t centreY = displaySystem->height / 2;
    PlayerCommand command = inputSystem->readCommand(centreX);
    // The editor's level played at once: Escape and F5 go back to the editor, unsaved.
    if (files.fromEditor && (command.quit || command.playNow) && !closeRequested) {
        command.quit = false;
        playing = false;
    }
    inputSystem->fire(command);
    // Put the pointer back only when it has left the centre: a warp while a motion
    // is still on its way to us would throw that motion away.
    const ALLEGRO_MOUSE_STATE* mouse = inputSystem->currentMouse;
    if (mouse->x != centreX || mouse->y != centreY) {
        displaySystem->centrePointer();
    }
    // The close button does what Escape does: save, then end.
    if (closeRequested && !quit) {
        eventSystem->fireEvent(Event(QUIT_EVENT));
    }
    return command;
}

// The frame just drawn, at its own 600 by 400, before it is shown.
void Game::takeScreenshot() {
    std::string said;
    if (Screenshots::save(al_get_target_bitmap(), said)) {
        std::cout << "Screenshot saved as " << said << std::endl;
        hud->notify("Screenshot saved in " + BaseDirectories::shortened(Screenshots::folder()),
                    SCREENSHOT_NOTICE_MS);
        return;
    }
    std::cout << "Could not save a screenshot: " << said << "." << std::endl;
    hud->notify("No screenshot: " + said, SCREENSHOT_NOTICE_MS);
}
