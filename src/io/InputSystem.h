#pragma once

#include "core/EventSystem.h"
#include "core/Trackable.h"

#include <allegro5/allegro.h>
#include <cstdint>

// Turns keyboard and mouse state into events. Each poll reads the device once into a
// snapshot (the only place the devices are touched) and then compares it with the
// previous snapshot: some keys act while held, others once when first pressed.
class InputSystem : public Trackable {
  public:
    explicit InputSystem(EventSystem* eventSystem);
    ~InputSystem();
    InputSystem(const InputSystem&) = delete;
    InputSystem& operator=(const InputSystem&) = delete;

    // Installs keyboard and mouse and makes the zeroed snapshots.
    void init();
    void createSnapshots();

    void pollKeyboard();
    void pollMouse(int32_t referenceX);

    // What a poll does after reading the device, on the snapshots as they stand.
    void dispatchKeyboard();
    void dispatchMouse(int32_t referenceX);

    // Keyboard access for the main menu, which reads keys without events.
    void readKeyboard();
    void rememberKeyboard();
    bool keyDown(int keycode) const;
    bool keyPressed(int keycode) const;
    // The Pause key, pressed since the last reading.
    bool pauseKeyPressed() const;
    // F11, or Enter with Alt held: the switch between the window and the full screen.
    bool fullscreenKeyPressed() const;
    bool altDown() const;

    // After a pause: what was pressed meanwhile is not a new press, and the first mouse
    // reading turns nothing, wherever the pointer was left.
    void startAfresh();

    // Set by each keyboard poll: keys that act around play's events rather than through them.
    bool pausePressed = false;
    bool fullscreenPressed = false;

    ALLEGRO_KEYBOARD_STATE* previousKeyboard = nullptr;
    ALLEGRO_KEYBOARD_STATE* currentKeyboard = nullptr;
    ALLEGRO_MOUSE_STATE* previousMouse = nullptr;
    ALLEGRO_MOUSE_STATE* currentMouse = nullptr;
    EventSystem* eventSystem;

  private:
    bool ignoreNextTurn = false;

    bool buttonPressed(int button) const;
    void fire(EventType type);
};
