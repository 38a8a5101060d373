#!/usr/bin/env bash
# The real game in the window with a pad: a button rebound on the Options screen, played
# from the menu to the quit without a key and replayed from its demo without one, and a
# pad pulled out in play pausing it. Where the kernel can make a pad (/dev/uinput), the
# pad is a device like any player's (tools/virtualpad); elsewhere, as on the build
# machines, it is attached through SDL's virtual joysticks inside the game's own process
# by a preloaded library (support/VirtualPadPreload.cpp), so SDL's mapping layer and the
# game's pad code run all the same.
# usage: pad_e2e.sh PATH_TO_GAME PATH_TO_VIRTUAL_PAD PATH_TO_PRELOAD   (from the repository root)
set -u
VIRTUAL_PAD=$(realpath "$2")
PRELOAD=$(realpath "$3")
source "$(dirname "$0")/lib.sh" "$1"

start_x
start_audio

if [ -w /dev/uinput ]; then
    echo "# the pad: a device made through /dev/uinput"
else
    echo "# the pad: SDL's virtual joystick in the game (no writable /dev/uinput here)"
fi

# start_with_pad NAME [ARGUMENTS]: the game, in the folder NAME, with a pad ready to be
# plugged in.
# Its orders go through the FIFO on descriptor 7 (opened for both ends, so that no side
# waits for the other).
start_with_pad() {
    local name=$1 orders="$E2E_WORK/$1.orders"
    shift
    mkfifo "$orders"
    exec 7<>"$orders"
    if [ -w /dev/uinput ]; then
        start_game "$GAME" "$E2E_WORK/$name" "$name" -- "$@"
        PAD_ORDERS=$orders
    else
        # The sanitized game's own preload stays in the list.
        local preload=$PRELOAD
        local kept
        kept=$(printf '%s\n' "${DUSKMARCH_GAME_ENV:-}" | sed -n 's/.*LD_PRELOAD=\([^ ]*\).*/\1/p')
        [ -n "$kept" ] && preload="$preload:$kept"
        start_game "$GAME" "$E2E_WORK/$name" "$name" "LD_PRELOAD=$preload" \
            "DUSKMARCH_PAD_ORDERS=$orders" -- "$@"
        PAD_ORDERS=""
    fi
    open_window
    wait_menu
}
# The pad plugged in: a device now, or the preloaded pad at its next order.
plug_pad() {
    [ -n "$PAD_ORDERS" ] && { "$VIRTUAL_PAD" <"$PAD_ORDERS" & }
    order plug
}
order() { echo "$*" >&7; }
tap() { # tap BUTTON: pressed for 150 ms, and up for 100 ms, so that two taps are two presses
    order press "$1"
    sleep 0.15
    order release "$1"
    sleep 0.1
}

echo "# from the menu to the quit, the pad alone"
open_room | make_game_folder pad
start_with_pad pad --record "$E2E_WORK/pad.demo" --statdump "$E2E_WORK/pad.stats"
shoot "$WIN" menu-without
plug_pad
sleep 1
shoot "$WIN" menu-with
check "the menu names the pad's Options button once it is plugged in" \
    greater_than "$(count_colour menu-with 600x16+0+350 '#ECE2C4')" \
    "$(count_colour menu-without 600x16+0+350 '#ECE2C4')"
# The Options screen with the pad: North opens it, Up twice wraps round to the Pad row,
# South opens that page and asks for the sword's new button, West is pressed, and East
# twice goes back to the menu.
tap north
sleep 0.3
tap up
tap up
tap south
sleep 0.3
tap south
sleep 0.3
tap west
sleep 0.3
shoot "$WIN" pad-page
tap east
tap east
SETTINGS="$XDG_CONFIG_HOME/duskmarch/settings.ini"
check "the pad alone gave the sword to West on the Options screen, swapping the call" \
    grep -qx "sword=west" "$SETTINGS"
check "and the call went to the right trigger the sword had" grep -qx "spawn=right trigger" "$SETTINGS"
[ -n "${DUSKMARCH_SCREENSHOTS:-}" ] && cp "$E2E_WORK/pad-page.png" "$DUSKMARCH_SCREENSHOTS/pad.png"
sleep 0.5
tap south
sleep 1.5
shoot "$WIN" pad-play
check "South chooses Play (the floor shows)" test "$(floor_brightness pad-play)" -gt 15
order axis lefty -32768
sleep 1.5
order axis lefty 0
order axis rightx 24000 # and the right stick turns
sleep 0.5
order axis rightx 0
order press back
sleep 0.5
check "Back pressed is no quit" kill -0 "$GAME_PID"
sleep 1.5
order release back
wait_for_exit 30; status=$?
check "Back held saves and ends the game with status 0 ($status)" test "$status" = 0
check "the left stick walked the player ahead ($(save_value pad x) from 22)" \
    test "$(save_value pad x)" -lt 22
check "and its exit report lists no live allocation" clean_exit_report pad
order unplug
exec 7>&-
start_game "$GAME" "$E2E_WORK/pad" pad-replay -- --timedemo "$E2E_WORK/pad.demo" \
    --statdump "$E2E_WORK/pad-replay.stats"
wait_for_exit 120; status=$?
check "the game played with the pad replays, without one, to the letter (status $status)" \
    diff "$E2E_WORK/pad.stats" "$E2E_WORK/pad-replay.stats"

echo "# Start, and a pad pulled out in play"
{ open_room; echo "unit:20 22"; } | make_game_folder unplugged
start_with_pad unplugged
plug_pad
sleep 1
tap start # Start chooses Play in the menu too
rumbled() { grep -q '^test pad: rumble 49151 49151$' "$E2E_WORK/unplugged.err"; }
if [ -z "$PAD_ORDERS" ]; then # the preloaded pad says what its motor was told
    for _ in $(seq 150); do rumbled && break; sleep 0.1; done
    check "the skull two cells ahead walked up, struck, and the blow rumbled the pad" rumbled
else
    sleep 3
fi
tap start
check "Start pauses" wait_paused "$WIN" start-paused
check "and the pause screen names Start" \
    greater_than "$(count_colour start-paused 600x16+0+104 '#ECE2C4')" 0
tap start
sleep 0.5
shoot "$WIN" start-resumed
check "Start again plays on" test "$(count_colour start-resumed 300x60+150+50 '#ECE2C4')" -eq 0
order unplug
check "pauses the game" wait_paused "$WIN" unplugged
shoot "$WIN" unplugged-still
check "and holds it still" test "$(pixels_changed unplugged unplugged-still 600x400+0+0)" -eq 0
press "$WIN" Pause
sleep 0.5
shoot "$WIN" unplugged-resumed
check "the Pause key plays on" test "$(count_colour unplugged-resumed 300x60+150+50 '#ECE2C4')" -eq 0
quit_with_escape; status=$?
check "and Escape saves and ends it (status $status)" test "$status" = 0
exec 7>&-
[ -n "${DUSKMARCH_SCREENSHOTS:-}" ] && cp "$E2E_WORK/unplugged.png" "$DUSKMARCH_SCREENSHOTS/pad-unplugged.png"

finish
