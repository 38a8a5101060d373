#include "game/DisplaySystem.h"

DisplaySystem::~DisplaySystem() {
    if (display != nullptr) {
        al_destroy_display(display);
        display = nullptr;
    }
}

bool DisplaySystem::create(int32_t windowWidth, int32_t windowHeight, const char* title) {
    al_set_new_display_flags(ALLEGRO_OPENGL);
    width = windowWidth;
    height = windowHeight;
    display = al_create_display(width, height);
    if (display == nullptr) {
        return false;
    }
    al_set_window_title(display, title);
    al_show_mouse_cursor(display);
    return true;
}
