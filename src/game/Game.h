#pragma once

#include "core/AttackEvent.h"
#include "core/EventListener.h"
#include "core/EventSystem.h"
#include "core/MemoryTracker.h"
#include "core/MenuCommand.h"
#include "core/PlayerCommand.h"
#include "core/Settings.h"
#include "core/SoundEvent.h"
#include "core/Timer.h"
#include "core/Trackable.h"
#include "game/CommandLine.h"
#include "game/DisplaySystem.h"
#include "game/GameFiles.h"
#include "game/PlayView.h"
#include "game/PlayerSettings.h"
#include "game/RecordedGame.h"
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
#include "screens/MapScreen.h"
#include "screens/PauseScreen.h"
#include "screens/Screen.h"
#include "units/PathFinder.h"
#include "units/Unit.h"
#include "world/Demo.h"
#include "world/SaveReader.h"
#include "world/SaveRecord.h"

#include <allegro5/allegro_font.h>
#include <functional>
#include <vector>

class EditorScreen;
class LevelDraft;
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

    // The player's settings put in force in every system they touch (those that steer
    // the world are the demo's during a replay), and a change kept.
    void loadSettings();
    void applySettings();
    void changeSettings(const Settings& changed);

    // Play or Load as chosen in the menu: the level (and the save) read, the skill in
    // force, the recording begun; then the player made whole as the play loop begins.
    // Usable without a window, as the tools' player does.
    void startPlay(bool load);
    void startPlayLoop();

    // The list of levels, and the editor on a level file (--edit), which ends the game when
    // it is left.
    void runLevels();
    void editFile(const std::string& path);
    // The crypt's levels, read as the game starts; Play and Load begin with the first.
    void readCrypt();
    // Play goes on in this level, its save kept in savePath.
    void chooseLevel(const std::string& path, const std::string& savePath);
    // The crypt's levels, then the player's own, each with its best time.
    std::vector<LevelInfo> levelList() const;
    // Where the player's own levels are kept: my-levels in the player's data folder.
    static std::string ownLevelFolder();
    // N once the level is cleared: the crypt's next level, from its start, at the same skill.
    void goToNextLevel();

    // The map's part of a frame: opened, closed and marked as the command says (recorded),
    // and looked at as the player asks (a replay's map is looked at as it first is).
    void takeMapCommands(const PlayerCommand& command);

    // Play begins as the recording's did, without the menu.
    void startReplay(const Demo* demo, bool timed);
    // Play holds still while the window is without the focus, the Pause key holds it or
    // the pad in use was pulled out.
    bool paused() const { return pauseScreen->paused(); }
    // Play goes on after a pause, from where it stood: the pause is no time of the world's.
    void resumePlay();
    // The status the game ends with: a demo out of step, a failed save on quitting.
    int exitStatus() const;
    // How the level is going now.
    Tally tally() const;
    // The player's health is gone at a skill where that ends the game.
    bool fallen() const;
    // What Load would bring back, as the fall screen says it: the level's name, the skill
    // and when it was saved; empty when there is no save to load.
    std::string describeSave() const;
    // Every harder skill has them; as designed, the Options screen turns them on.
    bool hearsSkulls() const;
    bool showsCues() const;
    // A sound from a place in the world, panned by its direction from the view (-1 left,
    // +1 right), quieter with distance and behind.
    SoundEvent soundFrom(int32_t soundId, double x, double y) const;

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
    // The world's time: every clock of the world follows it (see RecordedGame::measureStep).
    WorldClock* worldClock = nullptr;
    Animation* swordAnimation = nullptr;
    Unit* player = nullptr;
    Camera* camera = nullptr;
    Menu* mainMenu = nullptr;
    Hud* hud = nullptr;
    PlayView* view = nullptr;
    int** mapGrid = nullptr;
    bool quit = false;
    bool inMenu = false;
    bool playing = false;
    double framesPerSecond = 30.0;
    std::vector<Unit*> units;
    // Around the design: the recorded game (its step, recording, replay and counts), the
    // pause screen with why play is held, the player's settings, and the files played.
    RecordedGame* recordedGame = nullptr;
    PauseScreen* pauseScreen = nullptr;
    PlayerSettings* playerSettings = nullptr;
    GameFiles files;
    // The map of what the player has seen, and the cells seen.
    MapScreen* mapScreen = nullptr;

  private:
    bool startAllegro();
    void buildMenu();
    void shutDownAllegro();
    Screen::Fonts screenFonts() const;

    void beginPlay();
    void startRecording(bool loaded);
    void deleteUnits();
    void armUnit(Unit* unit) const;
    void swingSword();
    bool swordReaches(const Unit& target) const;
    void killUnit(Unit* unit);
    void takeBlow(int32_t amount);
    void playSound(int32_t soundId);
    void playFrame(SwordSway& sway);
    PlayerCommand fallenInput(bool closeRequested);
    // "You fell" until the player chooses; then play again, or the menu, or the end.
    void runFallScreen();
    std::string levelNameOf(const std::string& savedLevelKey) const;
    void playAgain(bool load);
    PlayerCommand takePlayerInput(bool closeRequested);
    bool nextReplayFrame(bool closeRequested, Demo::Frame& frame);
    void afterFrame(const PlayerCommand& command, bool closeRequested, int64_t stepNs,
                    const Demo::Frame& recorded, SwordSway& sway);
    void putBackSave(const std::string& saveText);
    void putBackMap(const SaveReader& save);
    void goToSavedLevel(const std::string& key);
    void levelCleared();
    const LevelInfo* nextCryptLevel() const;
    void editLevel(const LevelInfo* level, int cursorX, int cursorY);
    void editFromPlay();
    bool runEditor(const LevelDraft& draft, EditedLevel& edited, int cursorX, int cursorY);
    void sayProblems(EditorScreen& editor);
    void saveFromEditor(EditorScreen& editor, EditedLevel& edited);
    void playFromEditor(EditorScreen& editor);
    void pausePlay(const SwordSway& sway);
    void runPausedPass(const SwordSway& sway);
    void showPauseScreen(const SwordSway& sway);
    void switchFullscreen();
    void takeScreenshot();
    void captionSound(const SoundEvent& sound);
    void chatter(const Unit& unit, std::size_t index);
    void feelBlow(const AttackEvent& blow);
    void sayGameSpeed();
    void say(const std::string& problem);

    // One frame's menu command, its click in the frame's own pixels.
    MenuCommand readMenuCommand(bool waitingForPress);
    Screen::Next runScreen(Screen& screen, const std::function<void()>& afterUpdate);
    // The Options screen until the player leaves it; true when the window's close button
    // was pressed meanwhile.
    bool runOptions();
    void actOnMenu(Screen::Next next);
    bool frameIsDue() const;
    void sleepUntilFrameNearlyDue() const;
};
