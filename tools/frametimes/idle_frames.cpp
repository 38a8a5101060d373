// The cost of a frame that draws nothing, for comparison with the game's: the same
// window, the same pacing (a busy wait of 1000/60 ms after each flip), a clear, a lock
// and unlock of the back buffer, one 300 by 300 blit, a flip. Runs for 600 frames.
#include <allegro5/allegro.h>
#include <chrono>

int main() {
    using Clock = std::chrono::steady_clock;
    if (!al_init()) {
        return 1;
    }
    al_set_new_display_flags(ALLEGRO_OPENGL);
    ALLEGRO_DISPLAY* display = al_create_display(600, 400);
    if (display == nullptr) {
        return 1;
    }
    ALLEGRO_BITMAP* picture = al_create_bitmap(1200, 300);
    ALLEGRO_BITMAP* backBuffer = al_get_backbuffer(display);
    Clock::time_point frameEnd = Clock::now();
    for (int frame = 0; frame < 600; ++frame) {
        while (std::chrono::duration<double, std::milli>(Clock::now() - frameEnd).count() <
               1000.0 / 60.0) {
        }
        al_clear_to_color(al_map_rgb(0, 0, 0));
        al_lock_bitmap(backBuffer, al_get_bitmap_format(backBuffer), ALLEGRO_LOCK_READWRITE);
        al_unlock_bitmap(backBuffer);
        al_draw_bitmap_region(picture, 0, 0, 300, 300, 150, 100, 0);
        al_flip_display();
        frameEnd = Clock::now();
    }
    al_destroy_bitmap(picture);
    al_destroy_display(display);
    return 0;
}
