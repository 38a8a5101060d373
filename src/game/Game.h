#pragma once

#include "core/EventListener.h"
#include "core/EventSystem.h"
#include "core/MemoryTracker.h"
#include "core/PlayerCommand.h"
#include "core/Settings.h"
#include "core/Timer.h"
#include "core/Trackable.h"
#include "game/CommandLine.h"
#include "game/DisplaySystem.h"
#include "game/MenuRules.h"
#include "game/OptionsMenu.h"
#include "game/PlayView.h"
#include "game/ScreenSize.h"
#include "io/InputSystem.h"
#include "io/SoundSystem.h"
#include "render/Animation.h"
#include "render/AssetLoader.h"
#include "render/BufferManager.h"
#include "render/Camera.h"
#include "render/Hud.h"
#include "render/Menu.h"
#include "render/SpriteManager.h"
#include "units/PathFinder.h"
#include "units/Unit.h"
#include "world/Demo.h"
#include "world/DemoRecorder.h"
#include "world/SaveRecord.h"

#include <allegro5/allegro_font.h>
#include <vector>

class SwordSway;

// The application: owns every system, runs the menu and play loops, and tears
// everything down again in a fixed order, ending with the memory report.
class Game : public Trackable, public EventListener {
  public:
    Game();
    ~Game() override;
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Starts Allegro, opens the window and loads everything. False when the game cannot
    // run (no window, a missing image or font); the reason is on the console.
    bool init(const ScreenSize& size);
    void runMenu();
    void runPlay();

    // The rules of play, answering the player's actions and the units' blows. Only
    // the quit rule holds before play has begun.
    void handleEvent(const Event& event) override;
    // The unit nearest the player among those in front of the camera, the first of
    // equal ones; null when there is none.
    Unit* findTarget() const;

    // Reads the level file into mapGrid and adds its units.
    void loadLevel();
    void createUnit(double x, double y);
    // True when the save was written; the reason it was not is on the console.
    bool saveGame();
    // What a save made now would hold.
    SaveRecord saveRecord() const;
    // Puts back the position, statistics and units of the save file, where it has them.
    void loadGame();

    // Pieces of init and of a frame of play, usable without a window.
    bool loadAssets();
    void createWorld();
    void listenForRules();
    void updateWorld();

    // The player's settings: read from their file, put in force, changed and kept.
    void loadSettings();
    void applySettings();
    void changeSettings(const Settings& changed);

    // Play holds still while the window is without the focus or the Pause key holds it.
    bool paused() const;
    void holdWorldClocks(bool hold);

    DisplaySystem* displaySystem = nullptr;
    EventSystem* eventSystem = nullptr;
    SoundSystem* soundSystem = nullptr;
    PathFinder* pathFinder = nullptr;
    MemoryTracker* memoryTracker = nullptr;
    BufferManager* bufferManager = nullptr;
    SpriteManager* spriteManager = nullptr;
    ALLEGRO_FONT* font = nullptr;
    AssetLoader* assetLoader = nullptr;
    InputSystem* inputSystem = nullptr;
    Timer* gameTimer = nullptr;
    Timer* frameTimer = nullptr;
    // The world's time: every clock of the world follows it (see measureWorldStep).
    WorldClock* worldClock = nullptr;
    Animation* swordAnimation = nullptr;
    Unit* player = nullptr;
    Camera* camera = nullptr;
    Menu* mainMenu = nullptr;
    Hud* hud = nullptr;
    PlayView* view = nullptr;
    int** mapGrid = nullptr;
    bool quit = false;
    // Set when the save made on quitting failed: the game then ends with status 1.
    bool quitSaveFailed = false;
    bool inMenu = false;
    bool playing = false;
    bool unfocused = false;
    bool pausedByKey = false;
    bool padUnplugged = false; // the pad in use went during play, which holds it still
    double framesPerSecond = 30.0;
    std::vector<Unit*> units;
    Settings settings;
    std::string settingsPath;
    // The level Play and Load start from, and where its game is saved.
    std::string levelPath = "levels/RirUdodu.lev";
    std::string savePath = "gamesave.dat";
    // Recorded games. The counts of what happened in play, for the statistics.
    struct Stats {
        int64_t frames = 0;
        int32_t kills = 0, blowsGiven = 0, blowsTaken = 0, hits = 0, misses = 0, saves = 0;
    };
    static constexpr int OUT_OF_STEP_STATUS = 3;
    void startRecording(bool loaded);
    void stopRecording();
    void startReplay(Demo* demo, bool timed);
    // Says how the replay ended, once.
    void endReplay();
    uint64_t worldChecksum() const;
    bool writeStatDump(const std::string& path) const;
    std::string recordPath;
    DemoRecorder* recorder = nullptr;
    Demo* replay = nullptr; // owned by the caller of startReplay
    Stats stats;
    int exitStatus = 0;

    // Said on the HUD as play begins, when it is not empty.
    std::string playNotice;
    // The command line's start mode, over the remembered one for this run only.
    CommandLine::StartMode startMode = CommandLine::StartMode::Remembered;

  private:
    bool startAllegro();
    void buildMenu();
    void shutDownAllegro();

    void beginPlay();
    void deleteUnits();
    void swingSword();
    bool swordReaches(const Unit& target) const;
    void killUnit(Unit* unit);
    void takeBlow(int32_t amount);
    void playSound(int32_t soundId);
    void playFrame(SwordSway& sway);
    PlayerCommand takePlayerInput(bool closeRequested);
    // The real time since the last frame of play, by which the world's clock moves on.
    int64_t measureWorldStep();
    bool nextReplayFrame(Demo::Frame& frame, bool closeRequested);
    PlayerCommand replayInput(const PlayerCommand& recorded);
    void checkReplayFrame(const Demo::Frame& frame);
    void recordFrame(int64_t stepNs, const PlayerCommand& command);
    void putBackSave(const std::string& saveText);
    void pausePlay(const SwordSway& sway);
    void runPausedPass(const SwordSway& sway);
    void resumePlay();
    void showPauseScreen(const SwordSway& sway);
    // What the pause screen says, which depends on why play is paused and on the pad.
    PlayView::PauseLines pauseLines() const;
    void switchFullscreen();
    void takeScreenshot();
    void captionSound(int32_t soundId);
    // The Options screen until the player leaves it; true when the window's close button
    // was pressed meanwhile.
    bool runOptions();
    // The Options key, or a click on the line at lineY that names it.
    bool optionsAsked(int32_t lineY) const;
    static constexpr int OPTIONS_KEY = ALLEGRO_KEY_O;
    static constexpr const char* OPTIONS_LINE = "O for Options";
    const char* optionsLine() const;
    static constexpr int32_t OPTIONS_LINE_HEIGHT = 16;
    OptionsMenu::Input readOptionsInput(const OptionsMenu& options) const;
    int32_t clickedOptionsRow(const OptionsMenu& options) const;
    void drawOptions(const OptionsMenu& options) const;

    MenuRules::Keys readMenuKeys() const;
    void actOnMenu(MenuRules::Action action);
    void drawMenu() const;
    bool frameIsDue() const;
    void sleepUntilFrameNearlyDue() const;

    bool settingsProblemSaid = false;
    // The real clock's count when the world's clock last moved on.
    int64_t lastWorldStep = 0;
    int64_t worldStart = 0;
    uint64_t levelHash = 0;
    // The save's text as Load read it, for a recording that begins with it.
    std::string loadedSave;
    bool timedReplay = false;
    bool replayEnded = false;
    std::size_t replayed = 0;
    int64_t replayStarted = 0;
    // Why the last save failed, in the system's words.
    std::string lastSaveProblem;
};
