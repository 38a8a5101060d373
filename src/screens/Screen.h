#pragma once

#include "core/MenuCommand.h"

#include <allegro5/allegro_font.h>

// A screen around play (the main menu, the Options screen, the pause screen): it takes each
// frame's menu command as plain data, says what comes next, and draws itself into the
// current target at the frame's own 600 by 400. The game's loops run the screen in force;
// a screen reads no device and changes nothing outside itself.
class Screen {
  public:
    // What the player chose, for the game to act on.
    enum class Next {
        Stay,    // the screen goes on
        Back,    // leave the screen for the one it came from
        Options, // open the Options screen
        Play,    // the main menu's choices
        Load,
        Quit,       // end the game
        Resume,     // play on
        Fullscreen, // between the window and the full screen, and stay
        Levels,     // open the list of levels
        Edit,       // the editor: a level to edit, or from there, the level played at once
        Save,       // the editor's level to be written
        Remove,     // the list's level to be removed
    };

    // The faces screens write in: the text font, and the title face of the main menu.
    struct Fonts {
        const ALLEGRO_FONT* text = nullptr;
        const ALLEGRO_FONT* title = nullptr;
    };

    static constexpr int WIDTH = 600;
    static constexpr int HEIGHT = 400;

    virtual ~Screen() = default;
    virtual Next update(const MenuCommand& command) = 0;
    virtual void draw() const = 0;
    // True while the screen waits for any key or pad button to bind: the next command
    // then carries the press, and only Escape goes back.
    virtual bool waitingForPress() const { return false; }
};
