// The main menu's loop and what its choices start, and the Options screen's loop, from
// the main menu or the pause screen.
#include "game/Game.h"

#include "core/RegularFile.h"
#include "screens/FallScreen.h"
#include "screens/MainMenuScreen.h"
#include "screens/OptionsScreen.h"

#include <functional>

namespace {

const double START_X = 22.0;
const double START_Y = 22.0;
const double CELL_MIDDLE = 0.5;
const double PLAY_NOTICE_MS = 6000.0;

} // namespace

void Game::runMenu() {
    MainMenuScreen menu(mainMenu, screenFonts());
    menu.skillIs(playerSettings->settings.skill);
    bool redraw = true; // the first pass draws at once, without reading keys
    frameTimer->start();
    if (quit) {
        return;
    }
    while (inMenu) {
        const bool due = frameIsDue();
        if (!due && !redraw) {
            sleepUntilFrameNearlyDue();
            continue;
        }
        if (displaySystem->closeRequested()) {
            quit = true; // the window's close button ends the game as Escape does
            return;
        }
        if (due) {
            const Screen::Next next = menu.update(readMenuCommand(false));
            if (next == Screen::Next::Options && !recordedGame->replaying()) {
                if (runOptions()) {
                    quit = true; // the close button, as in the menu itself
                    return;
                }
                menu.skillIs(playerSettings->settings.skill);
                continue; // drawn again from the next pass
            }
            actOnMenu(next);
            if (quit || !inMenu) {
                return;
            }
            if (next == Screen::Next::Levels) {
                displaySystem->showPointer();
                readMenuCommand(false); // the key that left the list is no press on the menu
                continue;
            }
        }
        displaySystem->beginFrame();
        menu.draw();
        displaySystem->showFrame();
        frameTimer->start();
        redraw = false;
    }
}

MenuCommand Game::readMenuCommand(bool waitingForPress) {
    MenuCommand command = inputSystem->readMenuCommand(waitingForPress);
    displaySystem->toFrame(command.clickX, command.clickY);
    displaySystem->toFrame(command.pointerX, command.pointerY);
    return command;
}

void Game::actOnMenu(Screen::Next next) {
    switch (next) {
    case Screen::Next::Fullscreen:
        switchFullscreen();
        break;
    case Screen::Next::Play:
    case Screen::Next::Load:
        // The menu's Play and Load start from the first level, or the one named.
        chooseLevel(files.menuLevelPath, files.menuSavePath);
        startPlay(next == Screen::Next::Load);
        break;
    case Screen::Next::Levels:
        runLevels();
        break;
    case Screen::Next::Quit:
        quit = true;
        break;
    default:
        break;
    }
}

// Play or Load chosen in the menu.
void Game::startPlay(bool load) {
    recordedGame->playAt(playerSettings->settings.skill); // a save may say otherwise
    beginPlay();
    if (load) {
        loadGame();
    }
    startRecording(load);
    if (!files.notKept.empty()) {
        hud->notify(files.notKept, PLAY_NOTICE_MS);
    }
}

// Play or Load, from the menu or a replay: the level read afresh and the player at the
// start, where a save without a position, or no save at all, leaves them too.
void Game::beginPlay() {
    inputSystem->takePadUnplugged(); // a pad gone before play began pauses nothing
    displaySystem->hidePointer();
    inMenu = false;
    playing = true;
    recordedGame->stats = RecordedGame::Stats();
    view->endFall();
    view->wayOn.clear();
    view->hideTally();
    deleteUnits(); // those of a game before, which a fall ended
    pathFinder->saysBlockedTarget = !files.fromEditor;
    loadLevel();
    mapScreen->reset();
    camera->posX = START_X;
    camera->posY = START_Y;
    camera->faceAsNewGame(); // as the first game did, after a fall or a game before
    // A level that tells its start puts the player in the middle of that cell.
    if (files.levelStart.has_value()) {
        camera->posX = files.levelStart->x + CELL_MIDDLE;
        camera->posY = files.levelStart->y + CELL_MIDDLE;
    }
}

// A screen of its own, drawn at once and then once a frame, until it says what comes
// next; the window's close button is Quit. afterUpdate runs after each of its passes.
Screen::Next Game::runScreen(Screen& screen, const std::function<void()>& afterUpdate) {
    displaySystem->showPointer();
    // The key or click that opened the screen is not a press on it.
    readMenuCommand(false);
    inputSystem->spendHeldKeys();
    bool redraw = true;
    frameTimer->start();
    while (true) {
        if (!frameIsDue() && !redraw) {
            sleepUntilFrameNearlyDue();
            continue;
        }
        if (displaySystem->readEvents().closeRequested) {
            return Screen::Next::Quit;
        }
        const Screen::Next next =
            redraw ? Screen::Next::Stay : screen.update(readMenuCommand(screen.waitingForPress()));
        if (next != Screen::Next::Stay) {
            inputSystem->spendHeldKeys(); // nor is the press that closes it one on the next
            return next;
        }
        afterUpdate();
        displaySystem->beginFrame();
        screen.draw();
        displaySystem->showFrame();
        frameTimer->start();
        redraw = false;
    }
}

bool Game::runOptions() {
    OptionsScreen options(playerSettings->settings, screenFonts());
    // Every change in force at once, and kept.
    return runScreen(options, [&]() {
               changeSettings(options.settings());
               options.settingsNowAre(playerSettings->settings);
           }) == Screen::Next::Quit;
}

void Game::runFallScreen() {
    FallScreen fall(screenFonts(), tally().lines(), describeSave());
    const Screen::Next next = runScreen(fall, []() {});
    if (next == Screen::Next::Quit) {
        quit = true; // Escape or the close button: nothing is saved
    } else if (next == Screen::Next::Back) {
        view->endFall();
        playing = false;
        inMenu = true;
    } else {
        playAgain(next == Screen::Next::Load);
    }
}

// After a fall: the level afresh at the same skill, or the last save.
void Game::playAgain(bool load) {
    beginPlay();
    if (load) {
        loadGame();
    }
    startPlayLoop();
}
