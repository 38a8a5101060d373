#pragma once

#include "render/MenuItem.h"

#include <allegro5/allegro_font.h>
#include <cstdint>
#include <string>
#include <vector>

// The main menu's title, items and selection, drawn in one TrueType face at two sizes.
class Menu {
  public:
    Menu(std::string fontPath, int capacity, std::string title);
    ~Menu();
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    // False, and nothing added, once every slot is taken.
    bool addItem(std::string text, int x, int y);
    // Draws over the current target; the selected item in green.
    void draw() const;

    int32_t selected = 0;
    int32_t capacity;
    int32_t count = 0;
    ALLEGRO_FONT* itemFont;
    ALLEGRO_FONT* titleFont;
    std::string fontPath;
    std::string title;
    std::vector<MenuItem> items;

    static const int ITEM_SIZE = 18;
    static const int TITLE_SIZE = 40;
};
