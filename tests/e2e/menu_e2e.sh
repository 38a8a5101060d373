#!/usr/bin/env bash
# The real game in a real window: start-up, the main menu, and every way it can end.
# usage: menu_e2e.sh PATH_TO_GAME   (run from the repository root)
set -u
source "$(dirname "$0")/lib.sh" "$1"

start_x
start_audio

echo "# start-up and the menu"
start_game "$GAME" "$ROOT" menu
WIN=$(find_window)
check "the window opens" test -n "$WIN"
parec -d sink0.monitor --file-format=wav "$E2E_WORK/menu.wav" &
RECORDER=$!
check "the window is titled \"$WINDOW_TITLE\"" test "$(xdotool getwindowname "$WIN")" = "$WINDOW_TITLE"
check "the window is 600 by 400" test "$(xdotool getwindowgeometry "$WIN" | awk '/Geometry/ {print $2}')" = "600x400"
wait_menu
shoot "$WIN" menu
check "Play is drawn green" test "$(count_colour menu 100x30+250+178 '#00FF00')" -gt 20
check "Load is not green" test "$(count_colour menu 100x30+250+208 '#00FF00')" -eq 0
check "the title is drawn in white" test "$(count_colour menu 300x50+150+57 '#FFFFFF')" -gt 200
check "the help line is drawn" test "$(count_colour menu 600x20+0+320 '#FFFFFF')" -gt 100
press "$WIN" s
shoot "$WIN" menu-load
check "S moves the selection to Load" test "$(count_colour menu-load 100x30+250+208 '#00FF00')" -gt 20
check "and Play is white again" test "$(count_colour menu-load 100x30+250+178 '#00FF00')" -eq 0
press "$WIN" w
shoot "$WIN" menu-play
check "W moves it back to Play" test "$(count_colour menu-play 100x30+250+178 '#00FF00')" -gt 20
sleep 2
kill -INT "$RECORDER"
wait "$RECORDER" 2>/dev/null
check "the ambience is audible ($(loudness menu) RMS)" greater_than "$(loudness menu)" 0.02
press "$WIN" Escape
wait_for_exit; status=$?
check "Escape ends the game with status 0" test "$status" = 0
check "the three loading lines come first" test "$(head -n 3 "$E2E_WORK/menu.out")" = "$(printf 'Loading Buffers...Done!\nLoading Sprites...Done!\nLoading Sounds...Done!')"
check "the exit report lists no live allocation" clean_exit_report menu
[ -n "${DUSKMARCH_SCREENSHOTS:-}" ] && cp "$E2E_WORK/menu.png" "$DUSKMARCH_SCREENSHOTS/menu.png"

echo "# Quit from the menu"
start_game "$GAME" "$ROOT" quit
open_window
wait_menu
press "$WIN" w
press "$WIN" Return
wait_for_exit; status=$?
check "Enter on Quit ends the game with status 0" test "$status" = 0

echo "# the menu's items take clicks"
start_game "$GAME" "$ROOT" clicked
open_window
wait_menu
xdotool mousemove --window "$WIN" 300 248
click "$WIN" 1
wait_for_exit; status=$?
check "a click on Quit ends the game with status 0" test "$status" = 0
check "its exit report lists no live allocation" clean_exit_report quit

echo "# no audio device at all"
start_game "$GAME" "$ROOT" silent $(no_audio_settings)
WIN=$(find_window)
check "the silent game still opens its window" test -n "$WIN"
wait_menu
press "$WIN" Escape
wait_for_exit; status=$?
check "and ends with status 0" test "$status" = 0
check "every sound reports Failure!" grep -qx 'Loading Sounds...Failure!Failure!Failure!Failure!Failure!Done!' "$E2E_WORK/silent.out"
check "and its exit report lists no live allocation" clean_exit_report silent

echo "# a missing image"
mkdir -p "$E2E_WORK/no-skull"
cp -r "$ROOT/assets" "$E2E_WORK/no-skull/assets"
rm "$E2E_WORK/no-skull/assets/skull.png"
start_game "$GAME" "$E2E_WORK/no-skull" no-skull
wait_for_exit; status=$?
check "a missing image stops the game with status 1" test "$status" = 1
check "naming the file" grep -q 'assets/skull.png' "$E2E_WORK/no-skull.out"
check "and still printing a clean exit report" clean_exit_report no-skull

echo "# no assets folder"
mkdir -p "$E2E_WORK/empty"
start_game "$GAME" "$E2E_WORK/empty" empty
wait_for_exit; status=$?
check "without assets the game stops with status 1" test "$status" = 1
check "naming the first missing file" grep -q 'assets/proggy.ttf' "$E2E_WORK/empty.out"

echo "# no display"
start_game "$GAME" "$ROOT" headless DISPLAY=
wait_for_exit; status=$?
check "without a display the game stops with status 1" test "$status" = 1
check "saying \"Failed to create display.\"" grep -qx 'Failed to create display.' "$E2E_WORK/headless.out"

finish
