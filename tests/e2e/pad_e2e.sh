#!/usr/bin/env bash
# The real game with a pad plugged in through the kernel's uinput: played from the menu
# to the quit without a key, and a pad pulled out in play pausing it. Machines without
# /dev/uinput (containers, most build machines) skip it and say so: there the pad is
# tested through SDL's virtual pads in the unit tests (tests/PadTest.cpp).
# usage: pad_e2e.sh PATH_TO_GAME PATH_TO_VIRTUAL_PAD   (run from the repository root)
set -u
VIRTUAL_PAD=$(realpath "$2")
if [ ! -w /dev/uinput ]; then
    echo "SKIPPED: there is no writable /dev/uinput here to make a pad with"
    exit 77
fi
source "$(dirname "$0")/lib.sh" "$1"

start_x
start_audio

# plug_pad ORDERS...: a pad plugged in now, acting on the orders (see the tool), then
# pulled out.
plug_pad() {
    printf '%s\n' "$@" | "$VIRTUAL_PAD" &
    PAD_PID=$!
}
hold_button() { echo "press $1" "sleep $2" "release $1"; }

echo "# from the menu to the quit, the pad alone"
open_room | make_game_folder pad
start_game "$GAME" "$E2E_WORK/pad" pad
open_window
wait_menu
shoot "$WIN" menu-without
plug_pad "sleep 1500" $(hold_button south 150) "sleep 1500" "axis lefty -32768" "sleep 1500" \
    "axis lefty 0" "sleep 300" $(hold_button back 1600) "sleep 500"
sleep 1
shoot "$WIN" menu-with
check "the menu names the pad's Options button once it is plugged in" \
    test "$(count_colour menu-with 600x16+0+350 '#ECE2C4')" -gt "$(count_colour menu-without 600x16+0+350 '#ECE2C4')"
wait_for_exit 30; status=$?
wait "$PAD_PID"
check "Back held saves and ends the game with status 0 ($status)" test "$status" = 0
check "the left stick walked the player ahead ($(save_value pad x))" test "$(save_value pad x)" -lt 22
check "and its exit report lists no live allocation" clean_exit_report pad

echo "# a pad pulled out in play"
open_room | make_game_folder unplugged
start_game "$GAME" "$E2E_WORK/unplugged" unplugged
open_window
wait_menu
plug_pad "sleep 1500" $(hold_button south 150) "sleep 1500"
wait "$PAD_PID"
check "pauses the game" wait_paused "$WIN" unplugged
quit_with_escape; status=$?
check "and Escape still saves and ends it (status $status)" test "$status" = 0

finish
