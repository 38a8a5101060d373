// Construction, start-up and shut-down of the game and everything it owns.
#include "game/Game.h"

#include "core/AssetIds.h"
#include "core/SoundEvent.h"
#include "game/PlayView.h"
#include "io/KeyboardLayout.h"
#include "screens/MenuRules.h"

#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <allegro5/allegro_ttf.h>
#include <chrono>
#include <iostream>
#include <thread>

namespace {

const char* const WINDOW_TITLE = "Duskmarch :: Orrinvale";
const char* const TEXT_FONT_FILE = "assets/proggy.ttf";
const char* const MENU_FONT_FILE = "assets/RuduRev.ttf";
const char* const ICON_FILE = "assets/icon.png";
const int TEXT_FONT_SIZE = 16;
const double SWORD_FRAME_MS = 100.0;
// How long before a frame is due the loop stops sleeping and polls the clock instead.
const double FINAL_POLL_MS = 2.0;

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
    worldClock = new WorldClock();
    playerSettings = new PlayerSettings();
}

bool Game::init(const ScreenSize& size) {
    if (!startAllegro()) {
        return false;
    }
    if (!displaySystem->create(size.width, size.height, WINDOW_TITLE)) {
        std::cout << "Failed to create display.\n";
        return false;
    }
    KeyboardLayout::tellKeyBindings(); // before the settings: their default keys follow it
    loadSettings();
    displaySystem->setIcon(ICON_FILE);
    font = al_load_font(TEXT_FONT_FILE, TEXT_FONT_SIZE, 0);
    if (font == nullptr) {
        reportMissingFile(TEXT_FONT_FILE);
        return false;
    }
    inputSystem->init();
    displaySystem->listenToInput(); // so that a key or a click wakes a paused game at once
    soundSystem->init(eventSystem); // without audio the game simply runs silent
    if (!loadAssets()) {
        return false;
    }
    createWorld();
    if (mainMenu->itemFont == nullptr || mainMenu->titleFont == nullptr) {
        reportMissingFile(MENU_FONT_FILE);
        return false;
    }
    applySettings();
    readCrypt();
    inMenu = true;
    playing = false;
    listenForRules();
    eventSystem->fireEvent(SoundEvent(SoundId::AMBIENCE, 1.0f, SoundEvent::CENTRE, true));
    return true;
}

// The grid, the sword, the menu, the player, the camera and the units' path search.
void Game::createWorld() {
    mapGrid = MapGrid::allocate();
    swordAnimation = createAnimation(spriteManager, SWORD_FRAME_MS,
                                     {SpriteId::SWORD_FIRST, SpriteId::SWORD_FIRST + 1,
                                      SpriteId::SWORD_FIRST + 2, SpriteId::SWORD_FIRST + 3});
    // The sword rests on its first frame until a swing clears finished.
    swordAnimation->loop = true;
    swordAnimation->finished = true;
    swordAnimation->stopFrame = 0;
    buildMenu();
    player = new Unit();
    camera = new Camera(eventSystem);
    hud = new Hud();
    pathFinder = new PathFinder(mapGrid);
    for (Timer* timer :
         {swordAnimation->timer, player->timer, &hud->noticeTimer, &hud->captionTimer}) {
        timer->followClock(worldClock);
    }
    pauseScreen = new PauseScreen(screenFonts());
    mapScreen = new MapScreen(screenFonts());
    recordedGame =
        new RecordedGame({camera, player, &units, gameTimer, worldClock, &mapScreen->seen});
    PlayView::Scene scene;
    scene.camera = camera;
    scene.texture = bufferManager->getBuffer(BufferId::TEXTURES);
    scene.sword = swordAnimation;
    scene.player = player;
    scene.hud = hud;
    scene.units = &units;
    scene.font = font;
    scene.map = mapScreen;
    scene.grid = mapGrid;
    view = new PlayView(scene);
    view->tallyTimer.followClock(worldClock);
    view->fallTimer.followClock(worldClock);
    view->blowTimer.followClock(worldClock);
}

void Game::listenForRules() {
    eventSystem->addListener(QUIT_EVENT, this);
    eventSystem->addListener(SPAWN_UNIT_EVENT, this);
    eventSystem->addListener(SLOW_DOWN_EVENT, this);
    eventSystem->addListener(SPEED_UP_EVENT, this);
    eventSystem->addListener(PLAYER_ATTACK_EVENT, this);
    eventSystem->addListener(SAVE_EVENT, this);
    eventSystem->addListener(ATTACK_EVENT, this);
    eventSystem->addListener(SOUND_EVENT, this); // for the captions
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
    assetLoader->loadSkillSounds();
    return true;
}

void Game::buildMenu() {
    mainMenu = new Menu(MENU_FONT_FILE, MenuRules::ITEM_COUNT, "Duskmarch");
    const int centreX = displaySystem->width / 2;
    mainMenu->addItem("Play", centreX, 180);
    mainMenu->addItem("Load", centreX, 210);
    mainMenu->addItem("Quit", centreX, 240);
}

Screen::Fonts Game::screenFonts() const {
    return {font, mainMenu != nullptr ? mainMenu->titleFont : nullptr};
}

Game::~Game() {
    delete recordedGame; // the recording's end line is written as it goes
    if (font != nullptr) {
        al_destroy_font(font);
    }
    deleteUnits();
    delete pathFinder;
    MapGrid::release(mapGrid);
    mapGrid = nullptr;
    delete view;
    delete pauseScreen;
    delete mapScreen;
    delete swordAnimation;
    delete hud;
    delete camera;
    delete player;
    delete frameTimer;
    delete gameTimer;
    delete worldClock;
    delete playerSettings;
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

// Most of the wait between two frames is slept rather than spun, which leaves the core
// to the rest of the machine; the last moments are still polled, so that each frame
// starts when it is due, as before.
void Game::sleepUntilFrameNearlyDue() const {
    const double leftMs = 1000.0 / framesPerSecond - frameTimer->getElapsedMs();
    if (leftMs > FINAL_POLL_MS) {
        std::this_thread::sleep_for(
            std::chrono::duration<double, std::milli>(leftMs - FINAL_POLL_MS));
    }
}
