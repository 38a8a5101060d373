#include "game/Game.h"

#include "core/SoundEvent.h"
#include "game/SwordSway.h"
#include "world/LevelFile.h"
#include "world/MapGrid.h"
#include "world/SaveWriter.h"

#include <algorithm>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <allegro5/allegro_ttf.h>
#include <fstream>
#include <iostream>

namespace {

const char* const WINDOW_TITLE = "Duskmarch :: Orrinvale";
const char* const TEXT_FONT_FILE = "assets/proggy.ttf";
const char* const MENU_FONT_FILE = "assets/RuduRev.ttf";
const int TEXT_FONT_SIZE = 16;

const char* const LEVEL_FILE = "levels/RirUdodu.lev";
const char* const SAVE_FILE = "gamesave.dat";

const int32_t FOOTSTEP_SOUND = 0;
const int32_t AMBIENCE_SOUND = 1;
const double SWORD_FRAME_MS = 100.0;
const double UNIT_FRAME_MS = 50.0;
const int HURT_SPRITE = 4;

const double START_X = 22.0;
const double START_Y = 22.0;
const int32_t START_HEALTH = 100;
const double MOVE_CELLS_PER_SECOND = 4.0;
const double TURN_RADIANS_PER_SECOND = 3.0;
const double SIGHT_RANGE = 4.7;
const double CLOSE_UP_RANGE = 0.5;
const float FLASH_STRENGTH = 0.6f;

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
    createWorld();
    if (mainMenu->itemFont == nullptr || mainMenu->titleFont == nullptr) {
        reportMissingFile(MENU_FONT_FILE);
        return false;
    }
    inMenu = true;
    playing = false;
    listenForRules();
    eventSystem->fireEvent(SoundEvent(AMBIENCE_SOUND, 1.0f, 0.5f, true));
    return true;
}

// The grid, the sword, the menu, the player and the camera, in that order.
void Game::createWorld() {
    mapGrid = MapGrid::allocate();
    swordAnimation = createAnimation(spriteManager, SWORD_FRAME_MS, {5, 6, 7, 8});
    // The sword rests on its first frame until a swing clears finished.
    swordAnimation->loop = true;
    swordAnimation->finished = true;
    swordAnimation->stopFrame = 0;
    buildMenu();
    player = new Unit();
    camera = new Camera(eventSystem);
}

void Game::listenForRules() {
    eventSystem->addListener(QUIT_EVENT, this);
    eventSystem->addListener(SPAWN_UNIT_EVENT, this);
    eventSystem->addListener(SLOW_DOWN_EVENT, this);
    eventSystem->addListener(SPEED_UP_EVENT, this);
    eventSystem->addListener(PLAYER_ATTACK_EVENT, this);
    eventSystem->addListener(SAVE_EVENT, this);
    eventSystem->addListener(ATTACK_EVENT, this);
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
    for (Unit* unit : units) {
        delete unit;
    }
    units.clear();
    MapGrid::release(mapGrid);
    mapGrid = nullptr;
    delete swordAnimation;
    delete camera;
    delete player;
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
    eventSystem->removeListener(this);
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
        if (displaySystem->closeRequested()) {
            quit = true; // the window's close button ends the game as Escape does
            return;
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
        // Restoring a saved game comes with the save file reader; until then Load
        // starts where Play does.
        al_hide_mouse_cursor(displaySystem->display);
        inMenu = false;
        playing = true;
        loadLevel();
        startPlayAt(START_X, START_Y);
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

void Game::startPlayAt(double x, double y) {
    camera->posX = x;
    camera->posY = y;
}

void Game::loadLevel() {
    std::ifstream file(LEVEL_FILE);
    if (!file) {
        std::cout << "Cannot open the level \"" << LEVEL_FILE << "\": the world is empty floor."
                  << std::endl;
        return;
    }
    const LevelFile level = LevelFile::read(file, mapGrid);
    for (const std::string& problem : level.problems) {
        std::cout << "Level \"" << LEVEL_FILE << "\": " << problem << std::endl;
    }
    for (const LevelFile::UnitPlace& place : level.units) {
        createUnit(place.x, place.y);
    }
}

void Game::createUnit(double x, double y) {
    Animation* walk = createAnimation(spriteManager, UNIT_FRAME_MS, {0, 1, 2, 3, 2, 1});
    Unit* unit = new Unit(eventSystem, walk, x, y);
    unit->hurtSprite = spriteManager->getSprite(HURT_SPRITE);
    units.push_back(unit);
}

void Game::saveGame() {
    if (!SaveWriter::replaceFile(SAVE_FILE, SaveWriter::compose(*camera, *player, units))) {
        std::cout << "Could not save the game to \"" << SAVE_FILE << "\"." << std::endl;
    }
}

void Game::handleEvent(const Event& event) {
    if (event.type == QUIT_EVENT) {
        saveGame();
        quit = !quit;
    }
}

bool Game::orderUnits() {
    unitDistances.clear();
    for (Unit* unit : units) {
        const double distance = camera->distanceTo(unit->x, unit->y);
        unit->alive = distance <= SIGHT_RANGE;
        unitDistances.emplace_back(distance, unit);
    }
    // Later billboards cover earlier ones, so the nearest must come last.
    std::stable_sort(unitDistances.begin(), unitDistances.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = unitDistances[i].second;
    }
    return unitDistances.back().first <= CLOSE_UP_RANGE;
}

void Game::runPlay() {
    const int32_t screenWidth = displaySystem->width;
    const int32_t screenHeight = displaySystem->height;
    camera->init(screenHeight, screenWidth, mapGrid);
    player->maxHealth = START_HEALTH;
    player->health = START_HEALTH;
    SwordSway sway(screenHeight);
    // Turning measures the pointer's travel from the centre; starting there keeps the
    // view from jumping on the first frame.
    al_set_mouse_xy(displaySystem->display, screenWidth / 2, screenHeight / 2);
    frameTimer->start();
    if (quit) {
        return;
    }
    while (playing) {
        if (!frameIsDue()) {
            continue; // busy wait for the next frame
        }
        updateWorld();
        pollPlayerInput(screenWidth, screenHeight);
        if (camera->moved && sway.step(camera->running)) {
            eventSystem->fireEvent(SoundEvent(FOOTSTEP_SOUND, 1.0f, 0.5f, false));
        }
        drawFrame(sway);
        al_flip_display();
        frameTimer->start(); // the next frame is measured from the end of this one
        if (quit) {
            return;
        }
    }
}

// The tick, every unit's step, the sword's animation and this frame's camera speeds.
void Game::updateWorld() {
    eventSystem->fireEvent(Event(TICK_EVENT));
    // The player's hurt flag counts down as a unit's does, which keeps the flash short.
    player->handleEvent(Event(TICK_EVENT));
    // The list is read afresh for each unit: a blow may change it. Without a path
    // search there is no waypoint, and a unit closes in only on a player within a cell.
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i]->update(mapGrid, camera, gameTimer->factor, -1.0, -1.0);
    }
    swordAnimation->update(gameTimer->factor);
    camera->moveSpeed = (1.0 / framesPerSecond) * MOVE_CELLS_PER_SECOND * gameTimer->factor;
    camera->rotSpeed = (1.0 / framesPerSecond) * TURN_RADIANS_PER_SECOND * gameTimer->factor;
}

void Game::pollPlayerInput(int32_t screenWidth, int32_t screenHeight) {
    inputSystem->pollKeyboard();
    inputSystem->pollMouse(screenWidth / 2);
    // Put the pointer back only when it has left the centre: a warp while a motion
    // is still on its way to us would throw that motion away.
    const ALLEGRO_MOUSE_STATE* mouse = inputSystem->currentMouse;
    if (mouse->x != screenWidth / 2 || mouse->y != screenHeight / 2) {
        al_set_mouse_xy(displaySystem->display, screenWidth / 2, screenHeight / 2);
    }
    // The close button does what Escape does: save, then end.
    if (displaySystem->closeRequested() && !quit) {
        eventSystem->fireEvent(Event(QUIT_EVENT));
    }
}

// Draws the view into the current target: walls and units pixel by pixel into the
// locked target, then the sword and the damage flash over them.
void Game::drawFrame(const SwordSway& sway) {
    ALLEGRO_BITMAP* target = al_get_target_bitmap();
    al_clear_to_color(al_map_rgb(0, 0, 0));
    al_lock_bitmap(target, al_get_bitmap_format(target), ALLEGRO_LOCK_READWRITE);
    camera->drawWalls(bufferManager->getBuffer(0));
    drawUnits();
    al_unlock_bitmap(target);
    drawSword(sway);
    drawDamageFlash();
}

void Game::drawUnits() {
    if (units.empty()) {
        return;
    }
    if (orderUnits()) {
        camera->drawSprite(units.back()); // so close that it fills the view alone
        return;
    }
    for (Unit* unit : units) {
        camera->drawSprite(unit);
    }
}

void Game::drawSword(const SwordSway& sway) const {
    const Sprite* sprite = swordAnimation->currentSprite();
    if (sprite == nullptr || sprite->buffer == nullptr || sprite->buffer->bitmap == nullptr) {
        return;
    }
    al_draw_bitmap_region(sprite->buffer->bitmap, sprite->x, sprite->y, sprite->w, sprite->h,
                          sway.swordX, sway.swordY, 0);
}

// Red added over the whole view, fading with the player's hurt countdown.
void Game::drawDamageFlash() const {
    if (!player->hurt) {
        return;
    }
    const float strength = FLASH_STRENGTH * std::min(player->hurtCounter, 10) / 10.0f;
    ALLEGRO_BITMAP* target = al_get_target_bitmap();
    al_draw_filled_rectangle(0, 0, al_get_bitmap_width(target), al_get_bitmap_height(target),
                             al_map_rgba_f(strength, 0.0f, 0.0f, 0.0f));
}
