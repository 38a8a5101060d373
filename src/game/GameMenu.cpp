// The main menu: its loop, its keys, and what its choices start.
#include "game/Game.h"

namespace {

const double START_X = 22.0;
const double START_Y = 22.0;

} // namespace

void Game::runMenu() {
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
            inputSystem->readKeyboard();
            if (inputSystem->fullscreenKeyPressed()) {
                displaySystem->switchFullscreen();
            }
            const MenuRules::Action action = MenuRules::apply(readMenuKeys(), mainMenu->selected);
            if (action == MenuRules::Action::Exit) {
                quit = true;
                return;
            }
            actOnMenu(action);
            inputSystem->rememberKeyboard();
        }
        drawMenu();
        frameTimer->start();
        redraw = false;
        if (quit) {
            return;
        }
    }
}

MenuRules::Keys Game::readMenuKeys() const {
    MenuRules::Keys keys;
    keys.escape = inputSystem->keyPressed(ALLEGRO_KEY_ESCAPE);
    keys.up = inputSystem->keyPressed(ALLEGRO_KEY_W);
    keys.down = inputSystem->keyPressed(ALLEGRO_KEY_S);
    // Enter with Alt held switches to the full screen instead of choosing.
    keys.enter = inputSystem->keyPressed(ALLEGRO_KEY_ENTER) && !inputSystem->altDown();
    return keys;
}

void Game::actOnMenu(MenuRules::Action action) {
    switch (action) {
    case MenuRules::Action::Play:
    case MenuRules::Action::Load:
        displaySystem->hidePointer();
        inMenu = false;
        playing = true;
        loadLevel();
        // A save without a position, or no save at all, starts where a new game does.
        startPlayAt(START_X, START_Y);
        if (action == MenuRules::Action::Load) {
            loadGame();
        }
        break;
    case MenuRules::Action::Quit:
        quit = true;
        break;
    default:
        break;
    }
}

void Game::drawMenu() const {
    const float centreX = displaySystem->width * 0.5f;
    const int height = displaySystem->height;
    const ALLEGRO_COLOR white = al_map_rgb(255, 255, 255);
    displaySystem->beginFrame();
    // Cleared every frame: text drawn again over itself would thicken and smear.
    al_clear_to_color(al_map_rgb(0, 0, 0));
    al_draw_text(font, white, centreX, height - 100, ALLEGRO_ALIGN_CENTRE, "::Controls::");
    al_draw_text(font, white, centreX, height - 80, ALLEGRO_ALIGN_CENTRE,
                 "WASD to move, Left Click to attack, ENTER to select");
    al_draw_text(font, white, centreX, height - 20, ALLEGRO_ALIGN_CENTRE, "Orrinvale");
    mainMenu->draw();
    displaySystem->showFrame();
}

void Game::startPlayAt(double x, double y) {
    camera->posX = x;
    camera->posY = y;
}
