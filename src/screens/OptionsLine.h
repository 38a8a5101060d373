#pragma once

#include "core/MenuCommand.h"

#include <allegro5/allegro_font.h>
#include <cstdint>

// The line that names the Options key, on the main menu and the pause screen: drawn
// centred at y, and a click on it opens the Options screen as the key does.
class OptionsLine {
  public:
    OptionsLine(const ALLEGRO_FONT* font, int32_t y) : font(font), y(y) {}

    // With a pad in the hands, the line says which of its buttons opens the screen too.
    static const char* text(bool padConnected);
    void draw(bool padConnected) const;
    // The Options key or button, or a click on the line.
    bool asked(const MenuCommand& command) const;

    static constexpr int32_t HEIGHT = 16;

  private:
    const ALLEGRO_FONT* font;
    int32_t y;
};
