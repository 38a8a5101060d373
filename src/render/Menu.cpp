#include "render/Menu.h"

#include <allegro5/allegro_ttf.h>

namespace {
// The menu is laid out for the 600 by 400 window.
const float CENTRE_X = 300.0f;
const int WINDOW_HEIGHT = 400;
} // namespace

Menu::Menu(std::string fontPath, int capacity, std::string title)
    : capacity(capacity), itemFont(al_load_ttf_font(fontPath.c_str(), ITEM_SIZE, 0)),
      titleFont(al_load_ttf_font(fontPath.c_str(), TITLE_SIZE, 0)), fontPath(std::move(fontPath)),
      title(std::move(title)), items(capacity > 0 ? capacity : 0) {}

Menu::~Menu() {
    if (itemFont != nullptr) {
        al_destroy_font(itemFont);
    }
    if (titleFont != nullptr) {
        al_destroy_font(titleFont);
    }
}

bool Menu::addItem(std::string text, int x, int y) {
    if (count >= capacity) {
        return false;
    }
    items[count] = MenuItem{std::move(text), x, y};
    ++count;
    return true;
}

void Menu::draw() const {
    const ALLEGRO_COLOR white = al_map_rgb(255, 255, 255);
    const ALLEGRO_COLOR green = al_map_rgb(0, 255, 0);
    if (titleFont != nullptr) {
        const float titleY = static_cast<float>(WINDOW_HEIGHT / (capacity + 4));
        al_draw_text(titleFont, white, CENTRE_X, titleY, ALLEGRO_ALIGN_CENTRE, title.c_str());
    }
    if (itemFont == nullptr) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        const MenuItem& item = items[i];
        al_draw_text(itemFont, i == selected ? green : white, static_cast<float>(item.x),
                     static_cast<float>(item.y), ALLEGRO_ALIGN_CENTRE, item.text.c_str());
    }
}
