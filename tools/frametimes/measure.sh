#!/usr/bin/env bash
# How long a frame takes in a real window under Xvfb, measured from outside the game:
#   bash tools/frametimes/measure.sh [BUILD_DIR]
# It runs a program that draws nothing at the game's pace, then the game for ten seconds
# of play in an empty room, with a hundred skulls in view, and with a hundred skulls
# walled off from the player, and prints each run's median flip interval and back
# buffer lock time. With --fullscreen it runs on a 1920x1080 screen with a window manager
# and times the empty room in the window and then filling the screen (F11), side by side.
set -u
FULLSCREEN=""
if [ "${1:-}" = --fullscreen ]; then
    FULLSCREEN=1
    shift
    export E2E_SCREEN=1920x1080x24
fi
REPOSITORY=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=$(cd "${1:-$REPOSITORY/build}" && pwd)
source "$REPOSITORY/tests/e2e/lib.sh" "$BUILD/duskmarch"
PRELOAD="LD_PRELOAD=$BUILD/libframe_times.so"

start_x
start_audio
[ -n "$FULLSCREEN" ] && start_wm

(cd "$E2E_WORK" && env "$PRELOAD" "$BUILD/idle_frames" 2>&1 | grep frame_times | sed 's/^/nothing drawn:      /')

room_with() { # room_with UNIT_LINES...
    open_room
    printf '%s\n' "$@"
}

measure() { # measure NAME [KEY]: ten seconds of play, standing still, after KEY if given
    start_game "$GAME" "$E2E_WORK/$1" "$1" "$PRELOAD"
    open_window
    enter_play
    [ -n "${2:-}" ] && press "$WIN" "$2"
    sleep 10
    shoot "$WIN" "$1" # kept with E2E_KEEP=1
    quit_with_escape
    grep frame_times "$E2E_WORK/$1.err" | sed "s/^/$1: /"
}

room_with | make_game_folder empty_room
measure empty_room
if [ -n "$FULLSCREEN" ]; then
    room_with | make_game_folder full_screen
    measure full_screen F11
    exit 0
fi

lines=()
for i in $(seq 0 99); do lines+=("unit:$((13 + i % 8)) $((19 + i / 8 % 7))"); done
room_with "${lines[@]}" | make_game_folder hundred_in_view
measure hundred_in_view

# The player's cell walled in on the level's open floor: no skull can get there.
open_room | sed '22s/^\(.\{22\}\)0/\11/; 24s/^\(.\{22\}\)0/\11/; 23s/^\(.\{21\}\)000/\1101/' >"$E2E_WORK/sealed.lev"
{ cat "$E2E_WORK/sealed.lev"; for i in $(seq 0 99); do echo "unit:$((2 + i % 10)) $((2 + i / 10))"; done; } |
    make_game_folder hundred_walled_off
measure hundred_walled_off
