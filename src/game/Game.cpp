#include "game/Game.h"

#include "core/AttackEvent.h"
#include "core/SoundEvent.h"
#include "game/SwordSway.h"
#include "world/LevelFile.h"
#include "world/MapGrid.h"
#include "world/NumberParser.h"
#include "world/SaveReader.h"
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
const int32_t DEAD_SLEEP_SOUND = 2;
const int32_t SWORD_HIT_SOUND = 3;
const int32_t SWORD_MISS_SOUND = 4;
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

const int32_t SWORD_DAMAGE = 3;
const double SWORD_REACH = 0.65;
const double FARTHEST_TARGET = 9999.0;
const double SPEED_UP_STEP = 2.0;
const double SLOW_DOWN_STEP = 0.5;

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

// The grid, the sword, the menu, the player, the camera and the units' path search.
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
    pathFinder = new PathFinder(mapGrid);
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
    deleteUnits();
    delete pathFinder;
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
        al_hide_mouse_cursor(displaySystem->display);
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

void Game::deleteUnits() {
    for (Unit* unit : units) {
        delete unit; // it stops listening for ticks as it goes
    }
    units.clear();
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

void Game::loadGame() {
    std::ifstream file(SAVE_FILE);
    if (!file) {
        return; // nothing saved yet: a new game
    }
    const SaveReader save = SaveReader::read(file);
    camera->posX = save.x.value_or(camera->posX);
    camera->posY = save.y.value_or(camera->posY);
    player->health = save.health.value_or(player->health);
    player->mana = save.mana.value_or(player->mana);
    player->stamina = save.stamina.value_or(player->stamina);
    if (!save.replacesUnits) {
        return; // the level's own units stay
    }
    deleteUnits();
    for (const LevelFile::UnitPlace& place : save.units) {
        createUnit(place.x, place.y);
    }
}

void Game::handleEvent(const Event& event) {
    if (event.type == QUIT_EVENT) {
        saveGame();
        quit = !quit;
        return;
    }
    if (!playing) {
        return;
    }
    switch (event.type) {
    case SPEED_UP_EVENT:
        gameTimer->factor *= SPEED_UP_STEP;
        break;
    case SLOW_DOWN_EVENT:
        gameTimer->factor *= SLOW_DOWN_STEP;
        break;
    case SPAWN_UNIT_EVENT:
        createUnit(camera->posX, camera->posY);
        break;
    case SAVE_EVENT:
        saveGame();
        break;
    case PLAYER_ATTACK_EVENT:
        swingSword();
        break;
    case ATTACK_EVENT:
        takeBlow(static_cast<const AttackEvent&>(event).amount);
        break;
    default:
        break;
    }
}

void Game::swingSword() {
    if (!swordAnimation->finished) {
        return; // the last swing is still on its way
    }
    swordAnimation->finished = false;
    Unit* target = findTarget();
    if (target == nullptr || !swordReaches(*target)) {
        playSound(SWORD_MISS_SOUND);
        return;
    }
    playSound(SWORD_HIT_SOUND);
    std::cout << "Did " << SWORD_DAMAGE << " damage!" << std::endl;
    target->applyDamage(-SWORD_DAMAGE);
    if (target->health != 0) {
        return;
    }
    std::cout << "Killed a unit!" << std::endl;
    killUnit(target);
    if (units.empty()) {
        playSound(DEAD_SLEEP_SOUND);
        std::cout << "THE DEAD SLEEP ONCE MORE\n";
    }
}

// Within reach and in front: a unit standing on the player's own spot is neither.
bool Game::swordReaches(const Unit& target) const {
    return camera->distanceTo(target.x, target.y) <= SWORD_REACH &&
           camera->depthOf(target.x, target.y) > 0.0;
}

Unit* Game::findTarget() const {
    Unit* target = nullptr;
    double nearest = FARTHEST_TARGET;
    for (Unit* unit : units) {
        const double distance = camera->distanceTo(unit->x, unit->y);
        if (distance < nearest) {
            nearest = distance;
            target = unit;
        }
    }
    return target;
}

void Game::killUnit(Unit* unit) {
    units.erase(std::find(units.begin(), units.end(), unit));
    delete unit; // it stops listening for ticks as it goes
}

void Game::takeBlow(int32_t amount) {
    std::cout << "You take " << amount << " damage!\n";
    player->applyDamage(amount);
}

void Game::playSound(int32_t soundId) {
    eventSystem->fireEvent(SoundEvent(soundId, 1.0f, 0.5f, false));
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
    ALLEGRO_LOCKED_REGION* region =
        al_lock_bitmap(target, al_get_bitmap_format(target), ALLEGRO_LOCK_READWRITE);
    if (region != nullptr) {
        const LockedImage frame(target, region);
        camera->drawWalls(bufferManager->getBuffer(0), frame);
        drawUnits(frame);
        al_unlock_bitmap(target);
    }
    drawSword(sway);
    drawDamageFlash();
}

void Game::drawUnits(const LockedImage& frame) {
    if (units.empty()) {
        return;
    }
    if (orderUnits()) {
        camera->drawSprite(units.back(), frame); // so close that it fills the view alone
        return;
    }
    camera->drawSprites(units, frame);
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
