#include "io/InputSystem.h"

#include "core/AssetIds.h"
#include "core/MouseEvent.h"
#include "core/MoveEvent.h"
#include "core/SoundEvent.h"

namespace {

// Allegro's X11 keyboard never reports the Pause key's release: each press flips the
// key's state instead. Elsewhere it goes down and up as any other key.
#if defined(ALLEGRO_UNIX) && !defined(ALLEGRO_MACOSX) && !defined(ALLEGRO_ANDROID)
const bool PAUSE_KEY_TOGGLES = true;
#else
const bool PAUSE_KEY_TOGGLES = false;
#endif

} // namespace

InputSystem::InputSystem(EventSystem* eventSystem) : eventSystem(eventSystem) {}

InputSystem::~InputSystem() {
    eventSystem = nullptr;
    if (al_is_keyboard_installed()) {
        al_uninstall_keyboard();
    }
    if (al_is_mouse_installed()) {
        al_uninstall_mouse();
    }
    delete previousKeyboard;
    delete currentKeyboard;
    delete previousMouse;
    delete currentMouse;
}

void InputSystem::init() {
    al_install_keyboard();
    al_install_mouse();
    createSnapshots();
}

void InputSystem::createSnapshots() {
    // Value-initialised: before the first poll no key and no button is down.
    previousKeyboard = new ALLEGRO_KEYBOARD_STATE();
    currentKeyboard = new ALLEGRO_KEYBOARD_STATE();
    previousMouse = new ALLEGRO_MOUSE_STATE();
    currentMouse = new ALLEGRO_MOUSE_STATE();
}

void InputSystem::pollKeyboard() {
    readKeyboard();
    dispatchKeyboard();
}

void InputSystem::pollMouse(int32_t referenceX) {
    if (al_is_mouse_installed()) {
        al_get_mouse_state(currentMouse);
    }
    dispatchMouse(referenceX);
}

void InputSystem::dispatchKeyboard() {
    if (keyDown(ALLEGRO_KEY_ESCAPE)) {
        fire(QUIT_EVENT);
    }
    if (keyDown(ALLEGRO_KEY_LSHIFT) || keyDown(ALLEGRO_KEY_RSHIFT)) {
        fire(RUN_EVENT);
    }
    if (keyPressed(ALLEGRO_KEY_SPACE)) {
        fire(SPAWN_UNIT_EVENT);
    }
    if (keyPressed(ALLEGRO_KEY_MINUS)) {
        fire(SLOW_DOWN_EVENT);
    }
    if (keyPressed(ALLEGRO_KEY_EQUALS)) {
        fire(SPEED_UP_EVENT);
    }
    if (keyDown(ALLEGRO_KEY_W)) {
        eventSystem->fireEvent(MoveEvent(0, +1));
    } else if (keyDown(ALLEGRO_KEY_S)) {
        eventSystem->fireEvent(MoveEvent(0, -1));
    }
    if (keyDown(ALLEGRO_KEY_A)) {
        eventSystem->fireEvent(MoveEvent(-1, 0));
    } else if (keyDown(ALLEGRO_KEY_D)) {
        eventSystem->fireEvent(MoveEvent(+1, 0));
    } else if (keyDown(ALLEGRO_KEY_P)) {
        eventSystem->fireEvent(SoundEvent(SoundId::FOOTSTEP, 1.0f, 0.5f, false));
    }
    pausePressed = pauseKeyPressed();
    fullscreenPressed = fullscreenKeyPressed();
    rememberKeyboard();
}

void InputSystem::dispatchMouse(int32_t referenceX) {
    const int32_t travel = ignoreNextTurn ? 0 : referenceX - currentMouse->x;
    ignoreNextTurn = false;
    eventSystem->fireEvent(MouseEvent(travel));
    if (buttonPressed(1)) {
        fire(PLAYER_ATTACK_EVENT);
    }
    if (buttonPressed(2)) {
        fire(SAVE_EVENT);
    }
    *previousMouse = *currentMouse;
}

void InputSystem::readKeyboard() {
    if (al_is_keyboard_installed()) {
        al_get_keyboard_state(currentKeyboard);
    }
}

void InputSystem::rememberKeyboard() {
    *previousKeyboard = *currentKeyboard;
}

bool InputSystem::keyDown(int keycode) const {
    return al_key_down(currentKeyboard, keycode);
}

bool InputSystem::keyPressed(int keycode) const {
    return al_key_down(currentKeyboard, keycode) && !al_key_down(previousKeyboard, keycode);
}

bool InputSystem::pauseKeyPressed() const {
    const bool down = al_key_down(currentKeyboard, ALLEGRO_KEY_PAUSE);
    const bool wasDown = al_key_down(previousKeyboard, ALLEGRO_KEY_PAUSE);
    return PAUSE_KEY_TOGGLES ? down != wasDown : down && !wasDown;
}

bool InputSystem::fullscreenKeyPressed() const {
    return keyPressed(ALLEGRO_KEY_F11) || (keyPressed(ALLEGRO_KEY_ENTER) && altDown());
}

bool InputSystem::altDown() const {
    return keyDown(ALLEGRO_KEY_ALT) || keyDown(ALLEGRO_KEY_ALTGR);
}

void InputSystem::startAfresh() {
    readKeyboard();
    rememberKeyboard();
    if (al_is_mouse_installed()) {
        al_get_mouse_state(currentMouse);
    }
    *previousMouse = *currentMouse;
    ignoreNextTurn = true;
    pausePressed = false;
    fullscreenPressed = false;
}

bool InputSystem::buttonPressed(int button) const {
    return al_mouse_button_down(currentMouse, button) &&
           !al_mouse_button_down(previousMouse, button);
}

void InputSystem::fire(EventType type) {
    eventSystem->fireEvent(Event(type));
}
