#pragma once

#include <cstdint>

// The ids by which the game finds its images, sprites and sounds. The asset loader hands
// ids out from counters in its load order, so each name stands at its place in that
// order, and COUNT is the length of the loader's table; the loader checks its tables
// against these when it compiles.

// Whole image files.
namespace BufferId {
enum : int32_t {
    TEXTURES, // walls, floor and ceiling, side by side
    STAFF,
    SWORD, // the weapon's four frames
    SKULL, // a unit's walking frames and its hurt picture
    FIREBALL,
    COUNT
};
} // namespace BufferId

// Rectangles cut from the images.
namespace SpriteId {
enum : int32_t {
    SKULL_WALK_FIRST, // four walking frames
    SKULL_HURT = SKULL_WALK_FIRST + 4,
    SWORD_FIRST, // four frames of a swing
    FIREBALL_FIRST = SWORD_FIRST + 4,
    COUNT = FIREBALL_FIRST + 4
};
} // namespace SpriteId

// Sound samples; a file that fails to load takes no id, so the ids after it move up.
namespace SoundId {
enum : int32_t { FOOTSTEP, AMBIENCE, DEAD_SLEEP, SWORD_HIT, SWORD_MISS, COUNT };
// The sounds of the skills beyond the design's, loaded quietly after those, under ids of
// their own that no missing file can move.
enum : int32_t { SKULL_CHATTER = 100, BLOW_TAKEN };
} // namespace SoundId
