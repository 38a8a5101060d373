#!/usr/bin/env bash
# How far the player gets: walking, running and strafing for three seconds, and the
# game speed keys. Steps are per frame, so these runs compare distances with each other
# and the game's own build needs the machine to itself. The sanitized game runs beside
# other tests, where frames come unevenly, and is checked only for what is sure to show.
# usage: pace_e2e.sh PATH_TO_GAME   (run from the repository root)
set -u
source "$(dirname "$0")/lib.sh" "$1"

start_x
start_audio

echo "# Play, and walking forward for three seconds"
open_room | make_game_folder walk
start_and_play walk
shoot "$WIN" walk-start
check "the view is not black or flat ($(colour_count walk-start) colours)" \
    test "$(colour_count walk-start)" -gt 200
check "the floor is lit" test "$(floor_brightness walk-start)" -gt 15
hold "$WIN" 3 w
shoot "$WIN" walk-end
quit_with_escape; status=$?
check "Escape ends play with status 0" test "$status" = 0
check "its exit report lists no live allocation" clean_exit_report walk
check "Escape saved the game" test -f "$E2E_WORK/walk/gamesave.dat"
WALKED=$((22 - $(save_value walk x)))
check "three seconds of walking went ahead $WALKED cells" test "$WALKED" -ge 1
speed_checks && check "at two to four cells a second" test "$WALKED" -ge 6 -a "$WALKED" -le 12
check "and straight ahead" test "$(save_value walk y)" = 22
check "the view changed on the way" test "$(pixels_changed walk-start walk-end 600x400+0+0)" -gt 10000

echo "# running"
open_room | make_game_folder run
start_and_play run
hold "$WIN" 3 shift w
quit_with_escape
RAN=$((22 - $(save_value run x)))
check "three seconds of running went ahead $RAN cells" test "$RAN" -ge 1
speed_checks && check "half again as far as walking" roughly_times 1.5 "$WALKED" "$RAN"

echo "# strafing"
open_room | make_game_folder strafe
start_and_play strafe
hold "$WIN" 3 a
quit_with_escape
SIDE=$((22 - $(save_value strafe y)))
check "three seconds to the left went $SIDE cells" test "$SIDE" -ge 1
speed_checks && check "about two thirds as far as walking" roughly_times 0.66 "$WALKED" "$SIDE"
check "without going ahead" test "$(save_value strafe x)" = 22

echo "# the game speed"
# The walks go back and forth across the room's middle, so that even at full frame rate
# none reaches a wall. Frames come slower under load and the save holds whole cells, so
# the base walk is taken twice, before and after the fast one, and its mean is compared.
open_room | make_game_folder speed
printf 'x:15\ny:15\n' >"$E2E_WORK/speed/gamesave.dat"
start_and_load speed
walk() {
    hold "$WIN" 2 "$1"
    click "$WIN" 3
    save_value speed x
}
X1=$(walk w)
press "$WIN" equal
X2=$(walk s)
press "$WIN" minus
X3=$(walk w)
press "$WIN" minus
X4=$(walk s)
quit_with_escape
BASE=$(awk -v a="$((15 - X1))" -v b="$((X2 - X3))" 'BEGIN { print (a + b) / 2 }')
FAST=$((X2 - X1))
SLOW=$((X4 - X3))
check "Load of a written save starts on its cell (a walk at the base speed went $BASE cells)" \
    greater_than "$BASE" 0.9
check "and stays on its line" test "$(save_value speed y)" = 15
if speed_checks; then
    check "after Equals the same walk goes further ($FAST cells)" greater_than "$FAST" "$BASE"
    check "after Minus twice it goes less far ($SLOW cells)" greater_than "$BASE" "$SLOW"
    check "about twice as far" roughly_times 2 "$BASE" "$FAST"
    check "and then about half as far" roughly_times 0.5 "$BASE" "$SLOW"
else
    # A few cells each, give or take one: only the fourfold gap is sure to show.
    check "the walk after Equals goes further than after Minus twice ($FAST and $SLOW cells)" \
        greater_than "$FAST" "$SLOW"
fi

finish
