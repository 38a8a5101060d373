#!/usr/bin/env bash
# The hunt and the fight, played as a player would: a unit walks up and strikes, the
# sword kills it, Space spawns another, saving with the right button, and Load
# bringing a saved game back.
# usage: fight_e2e.sh PATH_TO_GAME   (run from the repository root)
set -u
source "$(dirname "$0")/lib.sh" "$1"

start_x
start_audio


# lines NAME PATTERN: the game's console lines that match, one per line.
lines() { grep -E "$2" "$E2E_WORK/$1.out"; }

echo "# a unit two cells ahead"
# Two cells, so that it is still walking up when the first picture is taken, even on a
# loaded machine.
{ open_room; echo "unit:20 22"; } | make_game_folder fight
start_and_play fight
shoot "$WIN" fight-start
start_recording fight-quiet
sleep 2.5
stop_recording
# It walks up within reach and strikes; a unit steps at most once a frame, so on a
# loaded machine the blow may come later.
for _ in $(seq 60); do
    grep -q '^You take' "$E2E_WORK/fight.out" && break
    sleep 0.1
done
sleep 0.2 # a frame or two for the HUD to show it
shoot "$WIN" fight-near
check "it walks up to the player" test "$(pixels_changed fight-start fight-near 200x200+200+100)" -gt 5000
check "the HUD shows the player's health and the skulls left" \
    test "$(count_colour fight-start 480x60+0+0 '#ECE2C4')" -gt 100
check "and its health line changes after the blow" \
    test "$(pixels_changed fight-start fight-near 110x16+0+0)" -gt 10
start_recording fight-hits
for _ in 1 2 3; do
    click "$WIN" 1
    sleep 0.5 # the swing takes 0.4 s; a click before it ends is not a swing
done
stop_recording
shoot "$WIN" fight-hurt
start_recording fight-last
click "$WIN" 1
sleep 2
stop_recording
shoot "$WIN" fight-after
quit_with_escape; status=$?
check "the game ends with status 0" test "$status" = 0
check "the unit struck once" test "$(lines fight '^You take' | tr '\n' '|')" = "You take -3 damage!|"
check "four hits killed it, told in order" \
    test "$(lines fight 'damage|Killed|SLEEP' | tr '\n' '|')" = \
    "You take -3 damage!|Did 3 damage!|Did 3 damage!|Did 3 damage!|Did 3 damage!|Killed a unit!|THE DEAD SLEEP ONCE MORE|"
# Both ring above the ambience's band, where a blow is not lost among its gusts.
check "the sword hits are heard ($(loudness_high fight-hits) RMS over $(loudness_high fight-quiet) above 1.5 kHz)" \
    greater_than "$(loudness_high fight-hits)" "$(awk -v s="$(loudness_high fight-quiet)" 'BEGIN { print s * 4 }')"
check "the last kill's toll is heard ($(loudness_high fight-last) RMS over $(loudness_high fight-quiet) above 1.5 kHz)" \
    greater_than "$(loudness_high fight-last)" "$(awk -v s="$(loudness_high fight-quiet)" 'BEGIN { print s * 4 }')"
check "the dead unit is gone from the view" \
    test "$(pixels_changed fight-start fight-after 600x300+0+0)" -gt 5000 -a \
    "$(pixels_changed fight-near fight-after 600x300+0+0)" -gt 5000
check "Escape's save holds the player's 97 health" test "$(save_value fight player_health)" = 97
check "and no unit" test -z "$(saved_units fight)"
check "and its exit report lists no live allocation" clean_exit_report fight

echo "# Space, the right button, and Load"
# One unit walled in where it can neither move nor reach the player.
{ open_room | sed '6s/^\(.....\)0/\11/; 7s/^\(....\)000/\1101/; 8s/^\(.....\)0/\11/'; echo "unit:6 5"; } |
    make_game_folder saving
start_and_play saving
hold "$WIN" 2 w
press "$WIN" space
shoot "$WIN" before-save
click "$WIN" 3
sleep 0.3
shoot "$WIN" after-save
check "the right button saves" test -f "$E2E_WORK/saving/gamesave.dat"
check "and the HUD says so" test "$(pixels_changed before-save after-save 480x18+0+36)" -gt 50
sleep 2.5
shoot "$WIN" notice-gone
check "for about two seconds" test "$(count_colour notice-gone 480x18+0+36 '#ECE2C4')" -eq 0
check "and play goes on" kill -0 "$GAME_PID"
keep_save saving right-button
hold "$WIN" "$(speed_checks && echo 2 || echo 3)" d # the sanitized game is slower
quit_with_escape
X=$(save_value right-button x)
Y=$(save_value right-button y)
check "Space put a unit on the player's cell ($X $Y)" grep -qx "unit:$X $Y" "$E2E_WORK/right-button/gamesave.dat"
check "beside the walled-in one" grep -qx "unit:6 5" "$E2E_WORK/right-button/gamesave.dat"
check "and it struck at once" test "$(lines saving '^You take' | head -n 1)" = "You take -3 damage!"
check "walking on after the save moved the player" test "$(save_value saving y)" != "$Y"
keep_save saving escape
start_and_load saving
shoot "$WIN" loaded
quit_with_escape; status=$?
check "Load puts the player back where Escape saved ($(save_value saving x) $(save_value saving y))" \
    test "$(save_value saving x) $(save_value saving y)" = "$(save_value escape x) $(save_value escape y)"
check "with the saved units, not the level's one" \
    test "$(saved_units saving | tr '\n' ' ')" = "$(saved_units escape | tr '\n' ' ')"
check "a loaded game ends with status 0" test "$status" = 0

[ -n "${DUSKMARCH_SCREENSHOTS:-}" ] && cp "$E2E_WORK/fight-near.png" "$DUSKMARCH_SCREENSHOTS/fight.png"
[ -n "${DUSKMARCH_SCREENSHOTS:-}" ] && cp "$E2E_WORK/after-save.png" "$DUSKMARCH_SCREENSHOTS/saved.png"

finish
