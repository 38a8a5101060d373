// The cost of a frame that draws nothing, for comparison with the game's: the same
// window, the same pacing (a busy wait of 1000/60 ms after each flip), and the frame
// presented the way the game presents its own: the back buffer locked write-only (never
// read back) and unlocked, one 300 by 300 blit, a flip. Runs for 600 frames.
// With --unpaced it does not wait, and says how many frames a second it drew.
#include <allegro5/allegro.h>
#include <chrono>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    const bool paced = !(argc > 1 && std::strcmp(argv[1], "--unpaced") == 0);
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
    const Clock::time_point start = Clock::now();
    Clock::time_point frameEnd = start;
    for (int frame = 0; frame < 600; ++frame) {
        while (paced && std::chrono::duration<double, std::milli>(Clock::now() - frameEnd).count() <
                            1000.0 / 60.0) {
        }
        al_lock_bitmap(backBuffer, al_get_bitmap_format(backBuffer), ALLEGRO_LOCK_WRITEONLY);
        al_unlock_bitmap(backBuffer);
        al_draw_bitmap_region(picture, 0, 0, 300, 300, 150, 100, 0);
        al_flip_display();
        frameEnd = Clock::now();
    }
    if (!paced) {
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        std::printf("600 frames in %.3f s: %.1f frames per second\n", seconds, 600 / seconds);
    }
    al_destroy_bitmap(picture);
    al_destroy_display(display);
    return 0;
}
