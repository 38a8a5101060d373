#include "game/DisplaySystem.h"

DisplaySystem::~DisplaySystem() {
    if (windowEvents != nullptr) {
        al_destroy_event_queue(windowEvents);
        windowEvents = nullptr;
    }
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
    windowEvents = al_create_event_queue();
    if (windowEvents != nullptr) {
        al_register_event_source(windowEvents, al_get_display_event_source(display));
    }
    return true;
}

bool DisplaySystem::closeRequested() {
    if (windowEvents == nullptr) {
        return false;
    }
    bool close = false;
    ALLEGRO_EVENT event;
    while (al_get_next_event(windowEvents, &event)) {
        close = close || event.type == ALLEGRO_EVENT_DISPLAY_CLOSE;
    }
    return close;
}
