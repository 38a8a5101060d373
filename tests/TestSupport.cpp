#include "TestSupport.h"

#include "core/AttackEvent.h"
#include "core/MouseEvent.h"
#include "core/MoveEvent.h"
#include "core/SoundEvent.h"
#include "core/Timer.h"

#include <allegro5/allegro_font.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <allegro5/allegro_ttf.h>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

void startAllegroForTests() {
    // Every call starts what is not running: a Game's destructor shuts the add-ons down.
    if (!al_init() || !al_init_image_addon() || !al_init_font_addon() || !al_init_ttf_addon() ||
        !al_init_primitives_addon()) {
        throw std::runtime_error("Allegro could not start");
    }
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
}

ALLEGRO_BITMAP* asTarget(ALLEGRO_BITMAP* bitmap) {
    al_set_target_bitmap(bitmap);
    return bitmap;
}

ALLEGRO_BITMAP* makeBitmap(int width, int height,
                           const std::function<ALLEGRO_COLOR(int x, int y)>& paint) {
    ALLEGRO_BITMAP* bitmap = al_create_bitmap(width, height);
    ALLEGRO_BITMAP* previous = al_get_target_bitmap();
    al_set_target_bitmap(bitmap);
    al_lock_bitmap(bitmap, al_get_bitmap_format(bitmap), ALLEGRO_LOCK_WRITEONLY);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            al_put_pixel(x, y, paint(x, y));
        }
    }
    al_unlock_bitmap(bitmap);
    al_set_target_bitmap(previous);
    return bitmap;
}

ALLEGRO_BITMAP* makeFilledBitmap(int width, int height, ALLEGRO_COLOR colour) {
    ALLEGRO_BITMAP* bitmap = al_create_bitmap(width, height);
    ALLEGRO_BITMAP* previous = al_get_target_bitmap();
    al_set_target_bitmap(bitmap);
    al_clear_to_color(colour);
    al_set_target_bitmap(previous);
    return bitmap;
}

Rgba8 rgbaAt(ALLEGRO_BITMAP* bitmap, int x, int y) {
    unsigned char r, g, b, a;
    al_unmap_rgba(al_get_pixel(bitmap, x, y), &r, &g, &b, &a);
    return Rgba8{r, g, b, a};
}

std::ostream& operator<<(std::ostream& out, const Rgba8& colour) {
    return out << "(" << colour.r << ", " << colour.g << ", " << colour.b << ", " << colour.a
               << ")";
}

ScratchFolder::ScratchFolder() {
    char pattern[] = "/tmp/duskmarch-test-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        throw std::runtime_error("cannot make a scratch folder");
    }
    folder = pattern;
    previous = fs::current_path().string();
    fs::current_path(folder);
}

ScratchFolder::~ScratchFolder() {
    fs::current_path(previous);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

void ScratchFolder::copyAssetsExcept(const std::vector<std::string>& leftOut) {
    fs::create_directories(fs::path(folder) / "assets");
    for (const auto& entry : fs::directory_iterator(DUSKMARCH_ASSET_DIR)) {
        const std::string name = entry.path().filename().string();
        bool skip = false;
        for (const std::string& out : leftOut) {
            skip = skip || out == name;
        }
        if (!skip) {
            fs::copy_file(entry.path(), fs::path(folder) / "assets" / name);
        }
    }
}

void backdate(Timer& timer, double ms) {
    timer.startCount -= static_cast<int64_t>(ms / 1000.0 * static_cast<double>(timer.frequency));
}

void holdKey(ALLEGRO_KEYBOARD_STATE& state, int keycode) {
    state.__key_down__internal__[keycode / 32] |= 1u << (keycode % 32);
}

void RecordingListener::handleEvent(const Event& event) {
    received.push_back(event.type);
    if (log != nullptr) {
        log->push_back(name + ":" + std::to_string(event.type));
    }
    switch (event.type) {
    case MOVE_EVENT: {
        const auto& move = static_cast<const MoveEvent&>(event);
        moveStrafe.push_back(move.strafe);
        moveForward.push_back(move.forward);
        break;
    }
    case MOUSE_EVENT:
        mouseDeltas.push_back(static_cast<const MouseEvent&>(event).deltaX);
        break;
    case SOUND_EVENT:
        soundIds.push_back(static_cast<const SoundEvent&>(event).soundId);
        break;
    case ATTACK_EVENT:
        attackAmounts.push_back(static_cast<const AttackEvent&>(event).amount);
        break;
    default:
        break;
    }
    if (onEvent) {
        onEvent();
    }
}
