#pragma once

#include "core/EventSystem.h"
#include "core/KeyBindings.h"
#include "core/MapCommand.h"
#include "core/MenuCommand.h"
#include "core/PadSettings.h"
#include "core/PlayerCommand.h"
#include "core/Trackable.h"
#include "io/PadControls.h"
#include "io/PadSystem.h"

#include <allegro5/allegro.h>
#include <bitset>
#include <cstdint>

// Turns keyboard, mouse and pad state into the frame's command, and the command into
// play's events. Each frame reads the devices once into snapshots (the only place the
// devices are touched) and compares them with the previous frame's: some keys act while
// held, others once when first pressed. Which key or button does what comes from the
// bindings.
class InputSystem : public Trackable {
  public:
    explicit InputSystem(EventSystem* eventSystem);
    ~InputSystem();
    InputSystem(const InputSystem&) = delete;
    InputSystem& operator=(const InputSystem&) = delete;

    // Installs keyboard and mouse, starts the pads and makes the zeroed snapshots. A
    // game without pad support plays on without, and says why once on the console.
    void init();
    void createSnapshots();

    // Reads keyboard, mouse and pad once and says what the player asks this frame;
    // referenceX is the column the pointer is put back to each frame.
    PlayerCommand readCommand(int32_t referenceX);
    // The same from the snapshots as they stand, which are then remembered as the
    // previous ones.
    PlayerCommand commandFromSnapshots(int32_t referenceX);
    // Fires play's events for the command, in their fixed order: quit, run, spawn,
    // slower, faster, the step ahead or back, the step aside or the footstep, the turn,
    // the sword, the save.
    void fire(const PlayerCommand& command);

    // The devices read once into a screen's command; waitingForPress: the screen waits
    // for any key or button to bind, which then is no move. The click is where the
    // pointer is in the window.
    MenuCommand readMenuCommand(bool waitingForPress);
    // During a replay only these of the player's keys count: Escape (as quit), Pause, the
    // full screen key and the screenshot key.
    PlayerCommand readReplayKeys();

    // Keyboard access for the menus, which read keys without events.
    void readKeyboard();
    void rememberKeyboard();
    bool keyDown(int keycode) const;
    bool keyPressed(int keycode) const;
    // The mouse for the menus: its place and buttons, this reading and the one before.
    void readMouse();
    bool buttonPressed(int button) const;
    // The first key found pressed this reading, or 0.
    int anyKeyPressed() const;
    // The Pause key, pressed since the last reading.
    bool pauseKeyPressed() const;
    // The full screen key, or Enter with Alt held: the switch between the window and the
    // full screen.
    bool fullscreenKeyPressed() const;
    bool altDown() const;

    // The pad for the menus: one reading, and the moves it makes.
    void readPad();
    PadControls::MenuMoves padMoves() const { return padControls.menuMoves(); }
    // The pad button first pressed in the last reading, or COUNT.
    PadBindings::Button padButtonPressed() const { return padControls.pressedButton(); }
    bool padConnected() const { return pads != nullptr && pads->connected(); }
    // True once after the pad in use was unplugged.
    bool takePadUnplugged() { return pads != nullptr && pads->takeUnplugged(); }
    // A blow felt in the hands, where the pad has a motor and the player wants it.
    void rumble(double strength, uint32_t milliseconds);

    // After a pause: what was pressed meanwhile is not a new press, and the first mouse
    // reading turns nothing, wherever the pointer was left.
    void startAfresh();
    // A screen opened or closed: the keys held now did their work there. None of them
    // counts as held or pressed again until it is let go, and no screen takes a press made
    // before now, so one press acts on one screen only.
    void spendHeldKeys();
    // A key that went down, as the keyboard's events tell it between two readings: the
    // screens take it even when it was let go again before they looked (play polls the
    // keys' state once a frame, and hears none of these).
    void notePress(int keycode);

    KeyBindings bindings;
    PadSettings pad;
    // The map, as the game has it before each reading: open, its marks' keys count; open
    // and panning freely, the arrows and the pointer pan it instead of moving the player.
    bool mapOpen = false;
    bool mapTakesArrows = false;
    // How the map is to be looked at, from the last reading.
    MapCommand mapCommand;

    ALLEGRO_KEYBOARD_STATE* previousKeyboard = nullptr;
    ALLEGRO_KEYBOARD_STATE* currentKeyboard = nullptr;
    ALLEGRO_MOUSE_STATE* previousMouse = nullptr;
    ALLEGRO_MOUSE_STATE* currentMouse = nullptr;
    EventSystem* eventSystem;
    PadSystem* pads = nullptr;

  private:
    PadControls padControls;
    // The keyboard's events since the last reading; null without a keyboard.
    ALLEGRO_EVENT_QUEUE* keyEvents = nullptr;
    // Keys held when a screen opened or closed, each until it is let go.
    std::bitset<ALLEGRO_KEY_MAX> spentKeys;
    // Keys that went down since the screens last read the keyboard.
    std::bitset<ALLEGRO_KEY_MAX> pressedMeanwhile;

    bool ignoreNextTurn = false;

    static bool isKey(int keycode) { return keycode > 0 && keycode < ALLEGRO_KEY_MAX; }
    void takeKeyEvents();
    void readMapKeys(PlayerCommand& command, int32_t pointerTravel);
    void readEditingKeys(MenuCommand& command) const;
    bool actionDown(KeyBindings::Action action) const;
    bool actionPressed(KeyBindings::Action action) const;
    void fire(EventType type);
};
