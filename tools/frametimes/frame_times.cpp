// Measures a running game from outside: preloaded (LD_PRELOAD) into it, it times every
// al_flip_display and how long the back buffer stays locked, and prints the medians when
// the program ends. Nothing of the game's own code is changed or needed.
#include <algorithm>
#include <allegro5/allegro.h>
#include <chrono>
#include <cstdio>
#include <dlfcn.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Record {
    std::vector<double> flipIntervals;
    std::vector<double> lockedTimes;
    Clock::time_point lastFlip{};
    Clock::time_point lockedAt{};
    ALLEGRO_BITMAP* lockedBackBuffer = nullptr;

    ~Record() {
        std::fprintf(stderr,
                     "frame_times: %zu flips, median interval %.2f ms, back buffer "
                     "locked %.2f ms (median)\n",
                     flipIntervals.size(), median(flipIntervals), median(lockedTimes));
    }

    static double median(std::vector<double> values) {
        if (values.empty()) {
            return 0.0;
        }
        std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
        return values[values.size() / 2];
    }
};

Record record;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

template <typename Function> Function next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" void al_flip_display() {
    static auto real = next<void (*)()>("al_flip_display");
    real();
    if (record.lastFlip != Clock::time_point{}) {
        record.flipIntervals.push_back(msSince(record.lastFlip));
    }
    record.lastFlip = Clock::now();
}

extern "C" ALLEGRO_LOCKED_REGION* al_lock_bitmap(ALLEGRO_BITMAP* bitmap, int format, int flags) {
    static auto real =
        next<ALLEGRO_LOCKED_REGION* (*)(ALLEGRO_BITMAP*, int, int)>("al_lock_bitmap");
    ALLEGRO_DISPLAY* display = al_get_current_display();
    if (display != nullptr && bitmap == al_get_backbuffer(display)) {
        record.lockedBackBuffer = bitmap;
        record.lockedAt = Clock::now();
    }
    return real(bitmap, format, flags);
}

extern "C" void al_unlock_bitmap(ALLEGRO_BITMAP* bitmap) {
    static auto real = next<void (*)(ALLEGRO_BITMAP*)>("al_unlock_bitmap");
    real(bitmap);
    if (bitmap == record.lockedBackBuffer) {
        record.lockedTimes.push_back(msSince(record.lockedAt));
        record.lockedBackBuffer = nullptr;
    }
}
