#pragma once

#include "core/EventSystem.h"
#include "core/MemoryTracker.h"
#include "core/Timer.h"
#include "core/Trackable.h"
#include "game/DisplaySystem.h"
#include "game/MenuRules.h"
#include "game/ScreenSize.h"
#include "io/InputSystem.h"
#include "io/SoundSystem.h"
#include "render/Animation.h"
#include "render/AssetLoader.h"
#include "render/BufferManager.h"
#include "render/Menu.h"
#include "render/SpriteManager.h"

#include <allegro5/allegro_font.h>

// The application: owns every system, runs the menu and play loops, and tears
// everything down again in a fixed order, ending with the memory report.
class Game : public Trackable {
  public:
    Game();
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Starts Allegro, opens the window and loads everything. False when the game cannot
    // run (no window, a missing image or font); the reason is on the console.
    bool init(const ScreenSize& size);
    void runMenu();
    void runPlay();

    DisplaySystem* displaySystem = nullptr;
    EventSystem* eventSystem = nullptr;
    SoundSystem* soundSystem = nullptr;
    MemoryTracker* memoryTracker = nullptr;
    BufferManager* bufferManager = nullptr;
    SpriteManager* spriteManager = nullptr;
    ALLEGRO_FONT* font = nullptr;
    AssetLoader* assetLoader = nullptr;
    InputSystem* inputSystem = nullptr;
    Timer* gameTimer = nullptr;
    Timer* frameTimer = nullptr;
    Animation* swordAnimation = nullptr;
    Menu* mainMenu = nullptr;
    bool quit = false;
    bool inMenu = false;
    bool playing = false;
    double framesPerSecond = 30.0;

  private:
    bool startAllegro();
    bool loadAssets();
    void buildMenu();
    void shutDownAllegro();

    MenuRules::Keys readMenuKeys() const;
    void actOnMenu(MenuRules::Action action);
    void drawMenu() const;
    bool frameIsDue() const;
};
