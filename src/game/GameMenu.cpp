// The main menu: its loop, its keys, and what its choices start.
#include "game/Game.h"

namespace {

const double START_X = 22.0;
const double START_Y = 22.0;
const int OPTIONS_LINE_Y = 350;
const double PLAY_NOTICE_MS = 6000.0;

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
            inputSystem->readMouse();
            inputSystem->readPad();
            if (inputSystem->fullscreenKeyPressed()) {
                switchFullscreen();
            }
            if (optionsAsked(OPTIONS_LINE_Y)) {
                inputSystem->rememberKeyboard();
                if (runOptions()) {
                    quit = true; // the close button, as in the menu itself
                    return;
                }
                continue; // drawn again from the next pass
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

// The keys, or the pad: its d-pad or left stick move, South or Start chooses, and Back
// held leaves as Escape does.
MenuRules::Keys Game::readMenuKeys() const {
    const PadControls::MenuMoves pad = inputSystem->padMoves();
    MenuRules::Keys keys;
    keys.escape = inputSystem->keyPressed(ALLEGRO_KEY_ESCAPE) || pad.quit;
    keys.up =
        inputSystem->keyPressed(ALLEGRO_KEY_W) || inputSystem->keyPressed(ALLEGRO_KEY_UP) || pad.up;
    keys.down = inputSystem->keyPressed(ALLEGRO_KEY_S) ||
                inputSystem->keyPressed(ALLEGRO_KEY_DOWN) || pad.down;
    // Enter with Alt held switches to the full screen instead of choosing.
    keys.enter = (inputSystem->keyPressed(ALLEGRO_KEY_ENTER) && !inputSystem->altDown()) ||
                 pad.choose || pad.start;
    return keys;
}

void Game::actOnMenu(MenuRules::Action action) {
    switch (action) {
    case MenuRules::Action::Play:
    case MenuRules::Action::Load:
        beginPlay();
        if (action == MenuRules::Action::Load) {
            loadGame();
        }
        startRecording(action == MenuRules::Action::Load);
        if (!playNotice.empty()) {
            hud->notify(playNotice, PLAY_NOTICE_MS);
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
    al_draw_text(font, Hud::ink(), centreX, OPTIONS_LINE_Y, ALLEGRO_ALIGN_CENTRE, optionsLine());
    mainMenu->draw();
    displaySystem->showFrame();
}

// Play or Load, from the menu or a replay: the level read afresh and the player at the
// start, where a save without a position, or no save at all, leaves them too.
void Game::beginPlay() {
    inputSystem->takePadUnplugged(); // a pad gone before play began pauses nothing
    displaySystem->hidePointer();
    inMenu = false;
    playing = true;
    loadLevel();
    camera->posX = START_X;
    camera->posY = START_Y;
}

// The Options key, or a click on the line that names it.
bool Game::optionsAsked(int32_t lineY) const {
    if (replay != nullptr) {
        return false; // the recording's settings hold while it plays
    }
    if (inputSystem->keyPressed(OPTIONS_KEY) || inputSystem->padMoves().options) {
        return true;
    }
    if (!inputSystem->buttonPressed(1)) {
        return false;
    }
    int32_t x = inputSystem->currentMouse->x;
    int32_t y = inputSystem->currentMouse->y;
    displaySystem->toFrame(x, y);
    const int32_t halfWidth = font != nullptr ? al_get_text_width(font, optionsLine()) / 2 : 0;
    const int32_t centreX = displaySystem->width / 2;
    return y >= lineY && y < lineY + OPTIONS_LINE_HEIGHT && x >= centreX - halfWidth &&
           x <= centreX + halfWidth;
}

// With a pad in the hands, the line says which of its buttons opens the Options screen.
const char* Game::optionsLine() const {
    return inputSystem->padConnected() ? "O, or North on the pad, for Options" : OPTIONS_LINE;
}
