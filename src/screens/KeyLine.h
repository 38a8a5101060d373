#pragma once

#include "core/MenuCommand.h"
#include "render/PlacedText.h"

#include <allegro5/allegro_font.h>
#include <cstdint>

// A line that names a key of a screen, as "O for Options" on the main menu and the pause
// screen: drawn centred on a point, and a click on it asks what the key does.
class KeyLine {
  public:
    // The line's words, those with a pad in the hands, and the command's field the key sets.
    struct Words {
        const char* text;
        const char* padText;
        bool MenuCommand::*key;
    };
    static constexpr Words OPTIONS = {"O for Options", "O, or North on the pad, for Options",
                                      &MenuCommand::options};
    static constexpr Words LEVELS = {"L for Levels", "L for Levels", &MenuCommand::levels};

    KeyLine(const ALLEGRO_FONT* font, int32_t centreX, int32_t y, const Words& words)
        : font(font), centreX(centreX), y(y), words(words) {}

    const char* text(bool padConnected) const { return padConnected ? words.padText : words.text; }
    void draw(bool padConnected) const;
    PlacedText placed(bool padConnected) const {
        return {text(padConnected), static_cast<float>(centreX), static_cast<float>(y),
                ALLEGRO_ALIGN_CENTRE};
    }
    // The key or button, or a click on the line.
    bool asked(const MenuCommand& command) const;

    static constexpr int32_t HEIGHT = 16;

  private:
    const ALLEGRO_FONT* font;
    int32_t centreX;
    int32_t y;
    Words words;
};
