// The devices read for the screens around play (the menus, the list of levels, the
// editor) and for a replay, which hears only a few of the player's keys.
#include "io/InputSystem.h"

MenuCommand InputSystem::readMenuCommand(bool waitingForPress) {
    readKeyboard();
    readMouse();
    readPad();
    const PadControls::MenuMoves pad = padMoves();
    MenuCommand command;
    const bool escape = keyPressed(ALLEGRO_KEY_ESCAPE);
    command.leave = escape || pad.quit;
    command.back = escape;
    command.padConnected = padConnected();
    if (waitingForPress) {
        command.pressedKey = anyKeyPressed();
        const PadBindings::Button button = padButtonPressed();
        command.pressedButton =
            button != PadBindings::Button::COUNT ? static_cast<int>(button) : -1;
        rememberKeyboard();
        return command;
    }
    command.back = escape || pad.back;
    // W and S by their places on the board, as the default keys of play are.
    command.up =
        keyPressed(KeyBindings::atPlaceOf(ALLEGRO_KEY_W)) || keyPressed(ALLEGRO_KEY_UP) || pad.up;
    command.down = keyPressed(KeyBindings::atPlaceOf(ALLEGRO_KEY_S)) ||
                   keyPressed(ALLEGRO_KEY_DOWN) || pad.down;
    command.left = keyPressed(ALLEGRO_KEY_LEFT) || pad.left;
    command.right = keyPressed(ALLEGRO_KEY_RIGHT) || pad.right;
    // Enter with Alt held switches to the full screen instead of choosing.
    command.choose = (keyPressed(ALLEGRO_KEY_ENTER) && !altDown()) || pad.choose;
    command.start = pad.start;
    command.pause = pauseKeyPressed();
    command.options = keyPressed(ALLEGRO_KEY_O) || pad.options;
    command.fullscreen = fullscreenKeyPressed();
    command.click = buttonPressed(1);
    command.clickX = currentMouse->x;
    command.clickY = currentMouse->y;
    readEditingKeys(command);
    rememberKeyboard();
    return command;
}

// The keys of the list of levels and of the editor, and the text they type.
void InputSystem::readEditingKeys(MenuCommand& command) const {
    command.levels = keyPressed(ALLEGRO_KEY_L);
    command.ctrl = keyDown(ALLEGRO_KEY_LCTRL) || keyDown(ALLEGRO_KEY_RCTRL);
    const bool shift = keyDown(ALLEGRO_KEY_LSHIFT) || keyDown(ALLEGRO_KEY_RSHIFT);
    std::size_t typed = 0;
    auto type = [&](char c) {
        if (typed + 1 < sizeof command.typed && !command.ctrl) {
            command.typed[typed++] = c;
        }
    };
    for (int letter = 0; letter < 26; ++letter) {
        if (keyPressed(ALLEGRO_KEY_A + letter)) {
            command.letter = static_cast<char>('a' + letter);
            type(static_cast<char>((shift ? 'A' : 'a') + letter));
        }
    }
    for (int digit = 0; digit < 10; ++digit) {
        if (keyPressed(ALLEGRO_KEY_0 + digit) || keyPressed(ALLEGRO_KEY_PAD_0 + digit)) {
            command.digit = digit;
            type(static_cast<char>('0' + digit));
        }
    }
    command.space = keyPressed(ALLEGRO_KEY_SPACE);
    if (command.space) {
        type(' ');
    }
    if (keyPressed(ALLEGRO_KEY_MINUS)) {
        type(shift ? '_' : '-');
    }
    command.backspace = keyPressed(ALLEGRO_KEY_BACKSPACE);
    command.remove = keyPressed(ALLEGRO_KEY_DELETE);
    command.playNow = keyPressed(ALLEGRO_KEY_F5);
    command.pointerX = currentMouse->x;
    command.pointerY = currentMouse->y;
    command.leftHeld = (currentMouse->buttons & 1) != 0;
    command.rightHeld = (currentMouse->buttons & 2) != 0;
}

PlayerCommand InputSystem::readReplayKeys() {
    readKeyboard();
    PlayerCommand command;
    command.quit = keyPressed(ALLEGRO_KEY_ESCAPE);
    command.pause = pauseKeyPressed();
    command.fullscreen = fullscreenKeyPressed();
    command.screenshot = actionPressed(KeyBindings::Action::Screenshot);
    rememberKeyboard();
    return command;
}
