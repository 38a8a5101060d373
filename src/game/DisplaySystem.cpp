#include "game/DisplaySystem.h"

#include <allegro5/allegro_image.h>

#include <chrono>
#include <initializer_list>
#include <iostream>
#include <thread>

namespace {

// A window manager answers a request to fill the screen in a few frames at most.
const int RESIZE_POLLS = 100;
const auto RESIZE_POLL_INTERVAL = std::chrono::milliseconds(10);

} // namespace

DisplaySystem::~DisplaySystem() {
    if (windowEvents != nullptr) {
        al_destroy_event_queue(windowEvents);
        windowEvents = nullptr;
    }
    for (ALLEGRO_BITMAP** bitmap : {&frame, &kept, &magnifiedFrame}) {
        if (*bitmap != nullptr) {
            al_destroy_bitmap(*bitmap);
            *bitmap = nullptr;
        }
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

void DisplaySystem::setIcon(const char* path) {
    if (display == nullptr || !al_is_image_addon_initialized()) {
        return;
    }
    const int previousFlags = al_get_new_bitmap_flags();
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    ALLEGRO_BITMAP* icon = al_load_bitmap(path);
    al_set_new_bitmap_flags(previousFlags);
    if (icon != nullptr) {
        al_set_display_icon(display, icon); // the window keeps a copy of its own
        al_destroy_bitmap(icon);
    }
}

void DisplaySystem::listenToInput() {
    if (windowEvents != nullptr && al_is_keyboard_installed()) {
        al_register_event_source(windowEvents, al_get_keyboard_event_source());
    }
    if (windowEvents != nullptr && al_is_mouse_installed()) {
        al_register_event_source(windowEvents, al_get_mouse_event_source());
    }
}

bool DisplaySystem::closeRequested() {
    return readEvents().closeRequested;
}

WindowEvents DisplaySystem::readEvents() {
    WindowEvents news;
    if (windowEvents == nullptr) {
        return news;
    }
    ALLEGRO_EVENT event;
    while (al_get_next_event(windowEvents, &event)) {
        news.note(event.type);
        if (event.type == ALLEGRO_EVENT_DISPLAY_RESIZE) {
            al_acknowledge_resize(event.display.source);
        }
    }
    return news;
}

void DisplaySystem::waitForEvents(double seconds) {
    if (windowEvents == nullptr) {
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        return;
    }
    al_wait_for_event_timed(windowEvents, nullptr, static_cast<float>(seconds));
}

bool DisplaySystem::setFullscreen(bool on) {
    if (display == nullptr || on == isFullscreen) {
        return display != nullptr;
    }
    al_set_display_flag(display, ALLEGRO_FULLSCREEN_WINDOW, on);
    if (!on) {
        // The fixed size the window had on the full screen stays with it unless it is
        // given its own back.
        al_resize_display(display, width, height);
    }
    // The window manager resizes the window in its own time; without one nothing
    // happens, and the game stays in its window.
    const bool grew = awaitSize(on);
    if (on && !grew) {
        al_set_display_flag(display, ALLEGRO_FULLSCREEN_WINDOW, false);
        return false;
    }
    isFullscreen = on;
    return on || sizeIs(width, height);
}

void DisplaySystem::switchFullscreen() {
    const bool fill = !isFullscreen;
    if (!setFullscreen(fill) && fill && !fullscreenRefusalSaid) {
        std::cout << "Cannot fill the screen here: the desktop keeps the window at its size. "
                     "The game stays in its window."
                  << std::endl;
        fullscreenRefusalSaid = true;
    }
}

void DisplaySystem::showPointer() {
    if (display != nullptr) {
        al_show_mouse_cursor(display);
    }
}

void DisplaySystem::hidePointer() {
    if (display != nullptr) {
        al_hide_mouse_cursor(display);
    }
}

void DisplaySystem::centrePointer() {
    if (display != nullptr && al_is_mouse_installed()) {
        al_set_mouse_xy(display, width / 2, height / 2);
    }
}

void DisplaySystem::toFrame(int32_t& x, int32_t& y) const {
    if (!magnified()) {
        return;
    }
    const FrameScale scale = shownScale();
    if (scale.width <= 0 || scale.height <= 0) {
        return;
    }
    x = static_cast<int32_t>(static_cast<int64_t>(x - scale.left) * width / scale.width);
    y = static_cast<int32_t>(static_cast<int64_t>(y - scale.top) * height / scale.height);
}

// Where the frame goes on the display: magnified by a whole number, or filling as much
// of it as the frame's shape allows.
FrameScale DisplaySystem::shownScale() const {
    const int32_t screenWidth = al_get_display_width(display);
    const int32_t screenHeight = al_get_display_height(display);
    return fillScreen && magnified() ? FrameScale::fill(width, height, screenWidth, screenHeight)
                                     : FrameScale::fit(width, height, screenWidth, screenHeight);
}

// True once the window has left its own size (growing) or come back to it.
bool DisplaySystem::awaitSize(bool growing) {
    for (int poll = 0; poll < RESIZE_POLLS; ++poll) {
        readEvents(); // acknowledges the resize
        if (sizeIs(width, height) != growing) {
            return true;
        }
        std::this_thread::sleep_for(RESIZE_POLL_INTERVAL);
    }
    return false;
}

bool DisplaySystem::sizeIs(int32_t expectedWidth, int32_t expectedHeight) const {
    return al_get_display_width(display) == expectedWidth &&
           al_get_display_height(display) == expectedHeight;
}

bool DisplaySystem::magnified() const {
    return display != nullptr && !sizeIs(width, height);
}

void DisplaySystem::beginFrame() {
    if (!magnified()) {
        al_set_target_backbuffer(display);
        return;
    }
    al_set_target_bitmap(frameBitmap(frame));
}

void DisplaySystem::showFrame() {
    if (magnified() && frame != nullptr && al_get_target_bitmap() == frame) {
        present(frame);
    }
    al_flip_display();
}

void DisplaySystem::beginKeptFrame() {
    al_set_target_bitmap(frameBitmap(kept));
}

void DisplaySystem::showKeptFrame() {
    if (kept != nullptr) {
        present(kept);
    }
    al_flip_display();
}

// A video bitmap of the frame's size without linear filtering: magnified, each pixel
// becomes a sharp block. Made the first time it is needed; the back buffer without it.
ALLEGRO_BITMAP* DisplaySystem::frameBitmap(ALLEGRO_BITMAP*& bitmap) {
    if (bitmap == nullptr) {
        const int previousFlags = al_get_new_bitmap_flags();
        al_set_new_bitmap_flags(ALLEGRO_VIDEO_BITMAP);
        bitmap = al_create_bitmap(width, height);
        al_set_new_bitmap_flags(previousFlags);
    }
    return bitmap != nullptr ? bitmap : al_get_backbuffer(display);
}

// Puts a frame on the back buffer: as it is in the window; magnified and centred between
// black bars on a larger one. Copied, not blended. Filling the screen takes two steps: a
// whole-number magnification into a bitmap of its own, each pixel a sharp block, then
// that bitmap smoothed to the final size, which moves each block's edges by less than a
// pixel. A plain stretch by, say, 2.7 would make some pixels two wide and others three.
void DisplaySystem::present(ALLEGRO_BITMAP* bitmap) {
    const FrameScale scale = shownScale();
    int op, source, destination;
    al_get_blender(&op, &source, &destination);
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_ZERO);
    ALLEGRO_BITMAP* shown = fillScreen && magnified() ? magnify(bitmap, scale.factor) : bitmap;
    al_set_target_backbuffer(display);
    if (scale.width != al_get_display_width(display) ||
        scale.height != al_get_display_height(display)) {
        al_clear_to_color(al_map_rgb(0, 0, 0));
    }
    al_draw_scaled_bitmap(shown, 0, 0, al_get_bitmap_width(shown), al_get_bitmap_height(shown),
                          scale.left, scale.top, scale.width, scale.height, 0);
    al_set_blender(op, source, destination);
}

// The frame magnified by factor into a video bitmap, filtered when it is drawn larger
// still; made again when the factor changes. The frame itself when there is none.
ALLEGRO_BITMAP* DisplaySystem::magnify(ALLEGRO_BITMAP* bitmap, int32_t factor) {
    if (magnifiedFrame == nullptr || al_get_bitmap_width(magnifiedFrame) != width * factor) {
        if (magnifiedFrame != nullptr) {
            al_destroy_bitmap(magnifiedFrame);
        }
        const int previousFlags = al_get_new_bitmap_flags();
        al_set_new_bitmap_flags(ALLEGRO_VIDEO_BITMAP | ALLEGRO_MIN_LINEAR | ALLEGRO_MAG_LINEAR);
        magnifiedFrame = al_create_bitmap(width * factor, height * factor);
        al_set_new_bitmap_flags(previousFlags);
    }
    if (magnifiedFrame == nullptr) {
        return bitmap;
    }
    al_set_target_bitmap(magnifiedFrame);
    al_draw_scaled_bitmap(bitmap, 0, 0, width, height, 0, 0, width * factor, height * factor, 0);
    return magnifiedFrame;
}
