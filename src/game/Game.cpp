#include "game/Game.h"

#include "core/SoundEvent.h"

#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <allegro5/allegro_ttf.h>
#include <iostream>

namespace {

const char* const WINDOW_TITLE = "Duskmarch :: Orrinvale";
const char* const TEXT_FONT_FILE = "assets/proggy.ttf";
const char* const MENU_FONT_FILE = "assets/RuduRev.ttf";
const int TEXT_FONT_SIZE = 16;

const int32_t AMBIENCE_SOUND = 1;
const double SWORD_FRAME_MS = 100.0;

void reportMissingFile(const std::string& path) {
    std::cout << "Cannot start: could not load \"" << path
              << "\". Run the game from the repository root after `make build`." << std::endl;
}

} // namespace

Game::Game() {
    memoryTracker = new MemoryTracker();
    currentMemoryTracker = memoryTracker;
    eventSystem = new EventSystem();
    soundSystem = new SoundSystem();
    displaySystem = new DisplaySystem();
    bufferManager = new BufferManager();
    spriteManager = new SpriteManager();
    assetLoader = new AssetLoader(bufferManager, spriteManager, soundSystem);
    inputSystem = new InputSystem(eventSystem);
    frameTimer = new Timer();
    gameTimer = new Timer();
}

bool Game::init(const ScreenSize& size) {
    if (!startAllegro()) {
        return false;
    }
    if (!displaySystem->create(size.width, size.height, WINDOW_TITLE)) {
        std::cout << "Failed to create display.\n";
        return false;
    }
    font = al_load_font(TEXT_FONT_FILE, TEXT_FONT_SIZE, 0);
    if (font == nullptr) {
        reportMissingFile(TEXT_FONT_FILE);
        return false;
    }
    inputSystem->init();
    soundSystem->init(eventSystem); // without audio the game simply runs silent
    if (!loadAssets()) {
        return false;
    }
    swordAnimation = createAnimation(spriteManager, SWORD_FRAME_MS, {5, 6, 7, 8});
    // The sword rests on its first frame until a swing clears finished.
    swordAnimation->loop = true;
    swordAnimation->finished = true;
    swordAnimation->stopFrame = 0;
    buildMenu();
    if (mainMenu->itemFont == nullptr || mainMenu->titleFont == nullptr) {
        reportMissingFile(MENU_FONT_FILE);
        return false;
    }
    inMenu = true;
    playing = false;
    eventSystem->fireEvent(SoundEvent(AMBIENCE_SOUND, 1.0f, 0.5f, true));
    return true;
}

bool Game::startAllegro() {
    if (!al_init()) {
        return false;
    }
    al_init_font_addon();
    al_init_ttf_addon();
    framesPerSecond = 60.0;
    if (al_init_primitives_addon()) {
        al_init_image_addon();
    }
    return true;
}

bool Game::loadAssets() {
    assetLoader->loadBuffers();
    // The drawing passes read every image each frame; without one the game cannot run.
    if (!assetLoader->missingImages().empty()) {
        for (const std::string& path : assetLoader->missingImages()) {
            reportMissingFile(path);
        }
        return false;
    }
    assetLoader->loadSprites();
    assetLoader->loadSounds();
    return true;
}

void Game::buildMenu() {
    mainMenu = new Menu(MENU_FONT_FILE, MenuRules::ITEM_COUNT, "Duskmarch");
    const int centreX = displaySystem->width / 2;
    mainMenu->addItem("Play", centreX, 180);
    mainMenu->addItem("Load", centreX, 210);
    mainMenu->addItem("Quit", centreX, 240);
}

Game::~Game() {
    if (font != nullptr) {
        al_destroy_font(font);
    }
    delete swordAnimation;
    delete frameTimer;
    delete gameTimer;
    delete mainMenu;
    delete inputSystem;
    delete assetLoader;
    delete spriteManager;
    delete bufferManager;
    if (al_is_system_installed()) {
        if (al_is_image_addon_initialized()) {
            al_shutdown_image_addon();
        }
        if (al_is_primitives_addon_initialized()) {
            al_shutdown_primitives_addon();
        }
    }
    delete displaySystem;
    delete eventSystem;
    delete soundSystem;
    delete memoryTracker; // prints the report of what is still alive
    currentMemoryTracker = nullptr;
    shutDownAllegro();
}

void Game::shutDownAllegro() {
    if (!al_is_system_installed()) {
        return;
    }
    if (al_is_font_addon_initialized()) {
        al_shutdown_font_addon();
    }
    if (al_is_ttf_addon_initialized()) {
        al_shutdown_ttf_addon();
    }
}

bool Game::frameIsDue() const {
    return frameTimer->getElapsedMs() >= 1000.0 / framesPerSecond;
}

void Game::runMenu() {
    bool redraw = true; // the first pass draws at once, without reading keys
    frameTimer->start();
    if (quit) {
        return;
    }
    while (inMenu) {
        const bool due = frameIsDue();
        if (!due && !redraw) {
            continue; // busy wait for the next frame
        }
        if (due) {
            inputSystem->readKeyboard();
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
    keys.enter = inputSystem->keyPressed(ALLEGRO_KEY_ENTER);
    return keys;
}

void Game::actOnMenu(MenuRules::Action action) {
    switch (action) {
    case MenuRules::Action::Play:
    case MenuRules::Action::Load:
        al_hide_mouse_cursor(displaySystem->display);
        inMenu = false;
        playing = true;
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
    // Cleared every frame: text drawn again over itself would thicken and smear.
    al_clear_to_color(al_map_rgb(0, 0, 0));
    al_draw_text(font, white, centreX, height - 100, ALLEGRO_ALIGN_CENTRE, "::Controls::");
    al_draw_text(font, white, centreX, height - 80, ALLEGRO_ALIGN_CENTRE,
                 "WASD to move, Left Click to attack, ENTER to select");
    al_draw_text(font, white, centreX, height - 20, ALLEGRO_ALIGN_CENTRE, "Orrinvale");
    mainMenu->draw();
    al_flip_display();
}

void Game::runPlay() {
    // The world to play in is not part of the game yet: leaving the menu ends the run.
    quit = true;
}
