// What the player hears of the world beyond the design's sounds, and the fight's cues: the
// skulls' chatter and a blow taken, each from its place; the side a blow came from; the
// game's speed said as it changes; the captions of every sound.
#include "game/Game.h"

#include "core/AssetIds.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// A skull chatters about every two seconds of frames, each at its own moment.
const int64_t CHATTER_FRAMES = 130;
const int64_t CHATTER_SPREAD = 37;
// Nearer than a cell it is as loud as the player's own sounds; twice as far, about half.
const double NEAR = 1.0;
const double BEHIND_GAIN = 0.6;
const double GAME_SPEED_NOTICE_MS = 1500.0;

} // namespace

bool Game::hearsSkulls() const {
    return recordedGame->knobs.cues || playerSettings->settings.skullSounds;
}

bool Game::showsCues() const {
    return recordedGame->knobs.cues || playerSettings->settings.fightCues;
}

SoundEvent Game::soundFrom(int32_t soundId, double x, double y) const {
    const double dx = x - camera->posX;
    const double dy = y - camera->posY;
    const double distance = std::hypot(dx, dy);
    const double plane = std::hypot(camera->planeX, camera->planeY);
    // The camera plane points to the view's right: along it is how far right the place is.
    const double side = distance > 0.0 && plane > 0.0
                            ? (dx * camera->planeX + dy * camera->planeY) / (plane * distance)
                            : 0.0;
    double gain = std::min(1.0, 2.0 * NEAR / (NEAR + distance));
    if (camera->depthOf(x, y) < 0.0) {
        gain *= BEHIND_GAIN;
    }
    return SoundEvent(soundId, static_cast<float>(gain),
                      static_cast<float>(std::clamp(side, -1.0, 1.0)), false);
}

// Now and then, as it hunts: each skull in a voice of its own, a little higher or lower.
void Game::chatter(const Unit& unit, std::size_t index) {
    if (!hearsSkulls() ||
        (recordedGame->stats.frames + static_cast<int64_t>(index) * CHATTER_SPREAD) %
                CHATTER_FRAMES !=
            0) {
        return;
    }
    SoundEvent sound = soundFrom(SoundId::SKULL_CHATTER, unit.x, unit.y);
    sound.speed = 0.85f + 0.08f * static_cast<float>(unit.voice);
    eventSystem->fireEvent(sound);
}

// A blow heard from where it came, and seen on that edge of the view.
void Game::feelBlow(const AttackEvent& blow) {
    const SoundEvent from = soundFrom(SoundId::BLOW_TAKEN, blow.fromX, blow.fromY);
    if (hearsSkulls()) {
        eventSystem->fireEvent(from);
    }
    if (showsCues()) {
        view->blowFrom(from.pan, camera->depthOf(blow.fromX, blow.fromY) < 0.0);
    }
}

void Game::sayGameSpeed() {
    if (!showsCues()) {
        return;
    }
    const double factor = gameTimer->factor;
    const std::string speed = factor >= 1.0 ? std::to_string(static_cast<int>(factor)) + "x"
                                            : "1/" + std::to_string(static_cast<int>(1.0 / factor));
    hud->notify("Game speed " + speed, GAME_SPEED_NOTICE_MS);
}

// The captions of the sounds the player can hear; the ambience is always there.
void Game::captionSound(const SoundEvent& sound) {
    const char* side = sound.pan < -0.33f  ? "to the left"
                       : sound.pan > 0.33f ? "to the right"
                                           : "close by";
    switch (sound.soundId) {
    case SoundId::FOOTSTEP:
        hud->caption("Footsteps");
        break;
    case SoundId::SWORD_HIT:
        hud->caption("Sword hits");
        break;
    case SoundId::SWORD_MISS:
        hud->caption("Sword misses");
        break;
    case SoundId::DEAD_SLEEP:
        hud->caption("The bell tolls");
        break;
    case SoundId::SKULL_CHATTER:
        hud->caption(std::string("A skull, ") + side);
        break;
    case SoundId::BLOW_TAKEN:
        hud->caption("You are struck");
        break;
    default:
        break;
    }
}
