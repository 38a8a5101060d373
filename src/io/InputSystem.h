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

    ALLEGRO_KEYBOARD_STATE* previousKeyboard = nullptr;
    ALLEGRO_KEYBOARD_STATE* currentKeyboard = nullptr;
    ALLEGRO_MOUSE_STATE* previousMouse = nullptr;
    ALLEGRO_MOUSE_STATE* currentMouse = nullptr;
    EventSystem* eventSystem;

  private:
    bool buttonPressed(int button) const;
    void fire(EventType type);
};
