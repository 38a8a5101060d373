#include "io/InputSystem.h"

#include "core/AssetIds.h"
#include "core/MouseEvent.h"
#include "core/MoveEvent.h"
#include "core/SoundEvent.h"
#include "core/Timer.h"

#include <algorithm>
#include <iostream>

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
    if (keyEvents != nullptr) {
        al_destroy_event_queue(keyEvents);
    }
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
    delete pads;
}

void InputSystem::init() {
    al_install_keyboard();
    al_install_mouse();
    createSnapshots();
    if (al_is_keyboard_installed()) {
        keyEvents = al_create_event_queue();
        if (keyEvents != nullptr) {
            al_register_event_source(keyEvents, al_get_keyboard_event_source());
        }
    }
    pads = new PadSystem();
    std::string reason;
    if (!pads->init(reason)) {
        std::cout << "No pad support (" << reason << "): keyboard and mouse only." << std::endl;
        delete pads;
        pads = nullptr;
    }
}

void InputSystem::createSnapshots() {
    // Value-initialised: before the first poll no key and no button is down.
    previousKeyboard = new ALLEGRO_KEYBOARD_STATE();
    currentKeyboard = new ALLEGRO_KEYBOARD_STATE();
    previousMouse = new ALLEGRO_MOUSE_STATE();
    currentMouse = new ALLEGRO_MOUSE_STATE();
}

PlayerCommand InputSystem::readCommand(int32_t referenceX) {
    readKeyboard();
    pressedMeanwhile.reset(); // play polls the keys' state once a frame, as designed
    if (al_is_mouse_installed()) {
        al_get_mouse_state(currentMouse);
    }
    PlayerCommand command = commandFromSnapshots(referenceX);
    readPad();
    padControls.addTo(command, pad);
    return command;
}

void InputSystem::readPad() {
    const double nowMs = Timer::readCounter() * 1000.0 / Timer::readFrequency();
    padControls.take(pads != nullptr ? pads->read() : PadState(), nowMs);
}

void InputSystem::rumble(double strength, uint32_t milliseconds) {
    if (pads != nullptr && pad.rumble) {
        pads->rumble(strength, milliseconds);
    }
}

PlayerCommand InputSystem::commandFromSnapshots(int32_t referenceX) {
    using Action = KeyBindings::Action;
    PlayerCommand command;
    command.quit = keyDown(ALLEGRO_KEY_ESCAPE);
    command.run = actionDown(Action::Run);
    command.spawn = actionPressed(Action::Spawn);
    command.slower = actionPressed(Action::Slower);
    command.faster = actionPressed(Action::Faster);
    // While the map pans freely the arrows are its own, the second keys of walking too.
    const auto moving = [this](Action action) {
        return mapTakesArrows ? keyDown(bindings.key(action)) : actionDown(action);
    };
    command.forward = moving(Action::Forward) ? +1 : moving(Action::Back) ? -1 : 0;
    command.strafe = actionDown(Action::Left) ? -1 : actionDown(Action::Right) ? +1 : 0;
    command.footstep = command.strafe == 0 && actionDown(Action::Footstep);
    command.keyTurn = mapTakesArrows               ? 0
                      : keyDown(ALLEGRO_KEY_LEFT)  ? +1
                      : keyDown(ALLEGRO_KEY_RIGHT) ? -1
                                                   : 0;
    command.pause = pauseKeyPressed();
    command.fullscreen = fullscreenKeyPressed();
    command.screenshot = actionPressed(Action::Screenshot);
    command.nextLevel = keyPressed(ALLEGRO_KEY_N);
    command.edit = keyPressed(ALLEGRO_KEY_F4);
    command.playNow = keyPressed(ALLEGRO_KEY_F5);
    const int32_t travel = ignoreNextTurn ? 0 : referenceX - currentMouse->x;
    readMapKeys(command, travel);
    rememberKeyboard();
    command.pointerTravel = mapTakesArrows ? 0 : travel;
    ignoreNextTurn = false;
    command.sword = buttonPressed(1);
    command.save = buttonPressed(2);
    *previousMouse = *currentMouse;
    return command;
}

// The map's keys: Tab (or its binding) opens and closes it; while it is open, M marks,
// C clears the marks, Page Up and Page Down (and the wheel) zoom, F, R and G switch
// following, turning and the grid; while it pans freely, the arrows and the pointer pan.
void InputSystem::readMapKeys(PlayerCommand& command, int32_t pointerTravel) {
    const int arrowPan = 6;
    command.map = actionPressed(KeyBindings::Action::Map);
    mapCommand = MapCommand();
    if (!mapOpen) {
        return;
    }
    command.mark = keyPressed(ALLEGRO_KEY_M);
    command.clearMarks = keyPressed(ALLEGRO_KEY_C);
    const int wheel = currentMouse->z - previousMouse->z;
    mapCommand.zoom = static_cast<int8_t>(
        std::clamp(wheel + keyPressed(ALLEGRO_KEY_PGUP) - keyPressed(ALLEGRO_KEY_PGDN), -3, 3));
    mapCommand.follow = keyPressed(ALLEGRO_KEY_F);
    mapCommand.rotate = keyPressed(ALLEGRO_KEY_R);
    mapCommand.grid = keyPressed(ALLEGRO_KEY_G);
    if (mapTakesArrows) {
        mapCommand.panRight =
            arrowPan * (keyDown(ALLEGRO_KEY_RIGHT) - keyDown(ALLEGRO_KEY_LEFT)) - pointerTravel;
        mapCommand.panDown = arrowPan * (keyDown(ALLEGRO_KEY_DOWN) - keyDown(ALLEGRO_KEY_UP));
    }
}

void InputSystem::fire(const PlayerCommand& command) {
    if (command.quit) {
        fire(QUIT_EVENT);
    }
    if (command.run) {
        fire(RUN_EVENT);
    }
    if (command.spawn) {
        fire(SPAWN_UNIT_EVENT);
    }
    if (command.slower) {
        fire(SLOW_DOWN_EVENT);
    }
    if (command.faster) {
        fire(SPEED_UP_EVENT);
    }
    if (command.forward != 0) {
        eventSystem->fireEvent(MoveEvent(0, command.forward));
    }
    if (command.strafe != 0) {
        eventSystem->fireEvent(MoveEvent(command.strafe, 0));
    } else if (command.footstep) {
        eventSystem->fireEvent(SoundEvent(SoundId::FOOTSTEP, 1.0f, SoundEvent::CENTRE, false));
    }
    eventSystem->fireEvent(MouseEvent(command.pointerTravel, command.keyTurn, command.stickTurn));
    if (command.sword) {
        fire(PLAYER_ATTACK_EVENT);
    }
    if (command.save) {
        fire(SAVE_EVENT);
    }
}

void InputSystem::readKeyboard() {
    if (al_is_keyboard_installed()) {
        al_get_keyboard_state(currentKeyboard);
    }
    takeKeyEvents();
    for (int keycode = 1; keycode < ALLEGRO_KEY_MAX; ++keycode) {
        if (spentKeys[static_cast<std::size_t>(keycode)] &&
            !al_key_down(currentKeyboard, keycode)) {
            spentKeys.reset(static_cast<std::size_t>(keycode));
        }
    }
}

void InputSystem::takeKeyEvents() {
    ALLEGRO_EVENT event;
    while (keyEvents != nullptr && al_get_next_event(keyEvents, &event)) {
        if (event.type == ALLEGRO_EVENT_KEY_DOWN) {
            notePress(event.keyboard.keycode);
        }
    }
}

void InputSystem::notePress(int keycode) {
    if (isKey(keycode)) {
        pressedMeanwhile.set(static_cast<std::size_t>(keycode));
    }
}

void InputSystem::spendHeldKeys() {
    if (currentKeyboard == nullptr) {
        return; // no snapshots yet: nothing was ever read
    }
    readKeyboard();
    for (int keycode = 1; keycode < ALLEGRO_KEY_MAX; ++keycode) {
        spentKeys.set(static_cast<std::size_t>(keycode), al_key_down(currentKeyboard, keycode));
    }
    rememberKeyboard(); // and what went down before now is taken too
}

void InputSystem::readMouse() {
    *previousMouse = *currentMouse;
    if (al_is_mouse_installed()) {
        al_get_mouse_state(currentMouse);
    }
}

void InputSystem::rememberKeyboard() {
    *previousKeyboard = *currentKeyboard;
    pressedMeanwhile.reset(); // taken by this reading
}

bool InputSystem::keyDown(int keycode) const {
    const bool spent = isKey(keycode) && spentKeys[static_cast<std::size_t>(keycode)];
    return al_key_down(currentKeyboard, keycode) && !spent;
}

bool InputSystem::keyPressed(int keycode) const {
    const bool meanwhile = isKey(keycode) && pressedMeanwhile[static_cast<std::size_t>(keycode)];
    return (keyDown(keycode) && !al_key_down(previousKeyboard, keycode)) || meanwhile;
}

int InputSystem::anyKeyPressed() const {
    for (int keycode = 1; keycode < ALLEGRO_KEY_MAX; ++keycode) {
        if (keyPressed(keycode)) {
            return keycode;
        }
    }
    return 0;
}

bool InputSystem::pauseKeyPressed() const {
    const int pauseKey = bindings.key(KeyBindings::Action::Pause);
    const bool down = al_key_down(currentKeyboard, pauseKey);
    const bool wasDown = al_key_down(previousKeyboard, pauseKey);
    // Only the Pause key itself flips instead of going down and up.
    const bool toggles = PAUSE_KEY_TOGGLES && pauseKey == ALLEGRO_KEY_PAUSE;
    return toggles ? down != wasDown : down && !wasDown;
}

bool InputSystem::fullscreenKeyPressed() const {
    return actionPressed(KeyBindings::Action::Fullscreen) ||
           (keyPressed(ALLEGRO_KEY_ENTER) && altDown());
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
    readPad();
    padControls.startAfresh();
}

bool InputSystem::actionDown(KeyBindings::Action action) const {
    const int second = KeyBindings::secondKey(action);
    return keyDown(bindings.key(action)) || (second != KeyBindings::NO_KEY && keyDown(second));
}

bool InputSystem::actionPressed(KeyBindings::Action action) const {
    const int second = KeyBindings::secondKey(action);
    return keyPressed(bindings.key(action)) ||
           (second != KeyBindings::NO_KEY && keyPressed(second));
}

bool InputSystem::buttonPressed(int button) const {
    return al_mouse_button_down(currentMouse, button) &&
           !al_mouse_button_down(previousMouse, button);
}

void InputSystem::fire(EventType type) {
    eventSystem->fireEvent(Event(type));
}
