#pragma once

#include <cstdint>

// What the player asks for in one frame of play, read from the devices once, through the
// key bindings. The play events of the frame are fired from it, and nothing else of the
// devices is read in play.
struct PlayerCommand {
    int8_t forward = 0;        // +1 ahead, -1 back
    int8_t strafe = 0;         // +1 right, -1 left
    int8_t keyTurn = 0;        // +1 left, -1 right: one base turn, from the turning keys
    int32_t pointerTravel = 0; // pixels the pointer went left of the centre; negative: right
    int16_t stickTurn = 0;     // thousandths of a base turn, +left, from a pad's right stick
    bool run = false;
    bool quit = false;  // held: asks again every frame
    bool spawn = false; // this and the ones below: first pressed this frame
    bool slower = false;
    bool faster = false;
    bool sword = false;
    bool save = false;
    bool footstep = false; // held, and only without a step to the side
    bool pause = false;
    bool fullscreen = false;
    bool screenshot = false;
    // The map: opened or closed (Tab, or Back pressed briefly), and while it is open, a
    // mark put where the player stands (M) or every mark cleared (C).
    bool map = false;
    bool mark = false;
    bool clearMarks = false;
    // Around the world, and never recorded: the next level once this one is cleared (N),
    // the editor on this level (F4), back to the editor from a level it plays (F5).
    bool nextLevel = false;
    bool edit = false;
    bool playNow = false;

    bool operator==(const PlayerCommand& other) const;
    bool operator!=(const PlayerCommand& other) const { return !(*this == other); }
};

inline bool PlayerCommand::operator==(const PlayerCommand& other) const {
    return forward == other.forward && strafe == other.strafe && keyTurn == other.keyTurn &&
           pointerTravel == other.pointerTravel && stickTurn == other.stickTurn &&
           run == other.run && quit == other.quit && spawn == other.spawn &&
           slower == other.slower && faster == other.faster && sword == other.sword &&
           save == other.save && footstep == other.footstep && pause == other.pause &&
           fullscreen == other.fullscreen && screenshot == other.screenshot && map == other.map &&
           mark == other.mark && clearMarks == other.clearMarks;
}
