#pragma once

#include <cstdint>

// The kinds of event, with fixed values shared by every sender and listener.
enum EventType : int32_t {
    RUN_EVENT = 0,
    SPAWN_UNIT_EVENT = 1,
    MOUSE_EVENT = 2,
    MOVE_EVENT = 3,
    PLAYER_ATTACK_EVENT = 4,
    SLOW_DOWN_EVENT = 5,
    SPEED_UP_EVENT = 6,
    QUIT_EVENT = 7,
    SAVE_EVENT = 8,
    ATTACK_EVENT = 9,
    SOUND_EVENT = 10,
    TICK_EVENT = 11,
};
