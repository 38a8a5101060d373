#!/usr/bin/env bash
# The world in play, driven like a player would: walls, turning with the mouse, a unit
# in view, footsteps, and the two ways to save and end.
# usage: play_e2e.sh PATH_TO_GAME PATH_TO_CLOSE_WINDOW   (run from the repository root)
set -u
CLOSE_WINDOW=$(realpath "$2")
source "$(dirname "$0")/lib.sh" "$1"

start_x
start_audio


echo "# a wall"
{ open_room | head -n 17; printf '1%.0s' $(seq 30); echo; open_room | tail -n 12; } | make_game_folder wall
start_and_play wall
hold "$WIN" "$(speed_checks && echo 6 || echo 10)" w # long enough for the slow sanitized game under load
quit_with_escape
check "a wall across line 17 stops the player in the line before it ($(save_value wall x))" \
    test "$(save_value wall x)" = 18

echo "# turning with the mouse"
open_room | make_game_folder turn
start_and_play turn
shoot "$WIN" turn-before
# Twelve pushes of 40 pixels to the left, each a turn of 0.16 radian if the game sees
# it: a quarter turn or more, even when a few are lost under load.
for _ in $(seq 12); do
    xdotool mousemove_relative -- -40 0
    sleep 0.1
done
sleep 0.3
shoot "$WIN" turn-after
check "moving the mouse turns the view" test "$(pixels_changed turn-before turn-after 600x400+0+0)" -gt 10000
hold "$WIN" "$(speed_checks && echo 3 || echo 5)" w
quit_with_escape
LEFT=$((22 - $(save_value turn y)))
AHEAD=$((22 - $(save_value turn x)))
check "after turning left, walking goes left ($LEFT cells) more than ahead ($AHEAD)" \
    test "$LEFT" -ge 2 -a "$LEFT" -gt "$AHEAD"

echo "# a unit ahead"
{ open_room; echo "unit:19 22"; } | make_game_folder unit
start_and_play unit
shoot "$WIN" unit
quit_with_escape
check "its save lists the unit" grep -qx 'unit:19 22' "$E2E_WORK/unit/gamesave.dat"
open_room | make_game_folder no-unit
start_and_play no-unit
shoot "$WIN" no-unit
quit_with_escape
check "a unit three cells ahead is drawn in the middle of the view" \
    test "$(pixels_changed unit no-unit 120x100+240+140)" -gt 1500

echo "# footsteps"
open_room | make_game_folder steps
start_and_play steps
start_recording standing
sleep 2
stop_recording
start_recording walking
hold "$WIN" 2 s
stop_recording
quit_with_escape
# Twice as loud at least: footsteps come with the sword's sway, a frame at a time, so a
# loaded machine gives fewer of them (2.7 times the standing level was seen), and
# without them walking sounds like standing.
check "walking is louder than standing: footsteps ($(loudness_high walking) over $(loudness_high standing) RMS above 1.5 kHz)" \
    greater_than "$(loudness_high walking)" "$(awk -v s="$(loudness_high standing)" 'BEGIN { print s * 2 }')"

echo "# the window's close button"
open_room | make_game_folder close
start_and_play close
hold "$WIN" 1 w
"$CLOSE_WINDOW" "$WIN"
wait_for_exit; status=$?
check "in play it ends the game with status 0" test "$status" = 0
check "after saving, as Escape does" test -n "$(save_value close x)" -a "$(save_value close x)" != 22
check "and its exit report lists no live allocation" clean_exit_report close
open_room | make_game_folder close-menu
start_game "$GAME" "$E2E_WORK/close-menu" close-menu
open_window
wait_menu
"$CLOSE_WINDOW" "$WIN"
wait_for_exit; status=$?
check "in the menu it ends the game with status 0" test "$status" = 0
check "without a save" test ! -e "$E2E_WORK/close-menu/gamesave.dat"

echo "# no audio device at all"
open_room | make_game_folder silent
start_game "$GAME" "$E2E_WORK/silent" silent $(no_audio_settings)
open_window
enter_play
hold "$WIN" 1 w
quit_with_escape; status=$?
check "a silent game plays, walks with its footsteps unheard, and ends with status 0" test "$status" = 0
check "and saves where it got to" test "$(save_value silent x)" -lt 22

echo "# the shipped level"
start_game "$GAME" "$ROOT" shipped
open_window
enter_play
shoot "$WIN" shipped
check "the shipped level shows a varied view ($(colour_count shipped) colours)" \
    test "$(colour_count shipped)" -gt 500
kill "$GAME_PID" # ended without Escape: no save left behind in the repository
PLAYING=$GAME_PID
wait_for_exit 20; status=$?
check "SIGTERM ends the game at once, as it ends any program (status $status)" test "$status" = 143
kill -9 "$PLAYING" 2>/dev/null
[ -n "${DUSKMARCH_SCREENSHOTS:-}" ] && cp "$E2E_WORK/shipped.png" "$DUSKMARCH_SCREENSHOTS/play.png"

finish
