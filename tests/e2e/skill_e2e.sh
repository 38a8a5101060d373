#!/usr/bin/env bash
# Skills in the real window: the skill row of the Options screen and the skill named at
# the menu's foot, --skill, a fall with its screen, Load and Restart, Escape there leaving
# the save as it was; and skulls heard from where they stand.
# usage: skill_e2e.sh PATH_TO_GAME   (run from the repository root)
set -u
source "$(dirname "$0")/lib.sh" "$1"

start_x
start_audio
SETTINGS="$XDG_CONFIG_HOME/duskmarch/settings.ini"

bone_pixels() { count_colour "$1" "$2" '#ECE2C4'; }
times_over() { awk -v a="$1" -v b="$2" -v k="$3" 'BEGIN { exit !(a >= k * b) }'; }

echo "# the skill at the menu's foot, --skill, and the Options row"
start_game "$GAME" "$ROOT" plain
open_window && wait_menu
shoot "$WIN" menu-designed
press "$WIN" Escape
wait_for_exit
check "as designed, the menu names no skill" test "$(bone_pixels menu-designed 300x20+150+270)" -lt 10
start_game "$GAME" "$ROOT" merciless -- --skill merciless
open_window && wait_menu
shoot "$WIN" menu-merciless
press "$WIN" Escape
wait_for_exit
check "--skill merciless is named at the menu's foot" test "$(bone_pixels menu-merciless 300x20+150+270)" -gt 40
check "and not kept in the settings" test ! -e "$SETTINGS"
"$GAME" --skill nightmare >/dev/null 2>"$E2E_WORK/nightmare.err"
check "an unknown skill is refused in one line, status 2 ($?)" \
    grep -q 'there is no skill "nightmare"' "$E2E_WORK/nightmare.err"
start_game "$GAME" "$ROOT" row
open_window && wait_menu
press "$WIN" o
press "$WIN" Right # the skill's row is the first: Haunted
shoot "$WIN" options-skill
press "$WIN" Escape
sleep 0.3
shoot "$WIN" menu-haunted
press "$WIN" Escape
wait_for_exit
check "the Options screen's first row takes the skill, and keeps it" grep -qx 'skill=haunted' "$SETTINGS"
check "the menu names it then" test "$(bone_pixels menu-haunted 300x20+150+270)" -gt 40
rm -f "$SETTINGS"

echo "# a fall, Load and Restart, and Escape leaving the save as it was"
{
    open_room
    for place in "21 22" "23 22" "22 21" "22 23" "21 21"; do echo "unit:$place"; done
} | make_game_folder fall
printf 'x:5\ny:5\nplayer_health:100\n' >"$E2E_WORK/fall/gamesave.dat"
cp "$E2E_WORK/fall/gamesave.dat" "$E2E_WORK/save-before"
wait_fallen() { # wait_fallen NAME: the fall's screen, dark red with its title
    for _ in $(seq 100); do
        shoot "$WIN" "$1"
        [ "$(count_colour "$1" 600x40+0+360 '#280000')" -gt 1000 ] && return 0
        sleep 0.2
    done
    return 1
}
start_game "$GAME" "$E2E_WORK/fall" fall -- --skill merciless
open_window && enter_play
wait_fallen fallen
check "five skulls fell a standing player: \"You fell\" shows" test "$(bone_pixels fallen 300x60+150+50)" -gt 150
check "with the tally" test "$(bone_pixels fallen 500x60+50+125)" -gt 150
check "the console said it once" test "$(grep -c '^You fell\.$' "$E2E_WORK/fall.out")" = 1
press "$WIN" Return # Load, the first
sleep 1
shoot "$WIN" loaded
check "Load plays on from the save" test "$(floor_brightness loaded)" -gt 15
quit_with_escape; status=$?
check "a game loaded after a fall saves as ever on Escape (status $status)" grep -qx 'x:5' "$E2E_WORK/fall/gamesave.dat"
cp "$E2E_WORK/save-before" "$E2E_WORK/fall/gamesave.dat"
start_game "$GAME" "$E2E_WORK/fall" fall-again -- --skill merciless
open_window && enter_play
wait_fallen fallen-again
press "$WIN" Down
press "$WIN" Return # Restart
sleep 0.5
shoot "$WIN" restarted
check "Restart plays the level afresh" test "$(floor_brightness restarted)" -gt 15
wait_fallen fallen-twice
check "and the skulls are as fierce as before: fallen again" test "$(grep -c '^You fell\.$' "$E2E_WORK/fall-again.out")" = 2
press "$WIN" Escape
wait_for_exit; status=$?
check "Escape on the fall's screen ends the game (status $status)" test "$status" = 0
check "and leaves the save byte for byte as it was" cmp -s "$E2E_WORK/save-before" "$E2E_WORK/fall/gamesave.dat"

# What is heard is the normal build's to measure: the sanitized one runs the same code
# for every sound, and needs its slot for the rest.
[ -n "${DUSKMARCH_SCREENSHOTS:-}" ] && cp "$E2E_WORK/fallen.png" "$DUSKMARCH_SCREENSHOTS/fallen.png"
if ! speed_checks; then
    finish
    exit
fi

echo "# skulls heard from where they stand"
mkdir -p "$XDG_CONFIG_HOME/duskmarch"
printf '[sound]\nambience=0\nskulls=on\n' >"$SETTINGS"
hear() { # hear NAME SKULL_X SKULL_Y: the first chatter of one skull, recorded
    { open_room; echo "unit:$2 $3"; } | make_game_folder "$1"
    start_game "$GAME" "$E2E_WORK/$1" "$1"
    open_window && enter_play
    start_recording "$1"
    sleep 3.5
    stop_recording
    quit_with_escape
}
# The player stands at (22, 22) looking toward line 0: left is toward column 0.
hear left 22 18
hear right 22 26
hear near 22 20
LEFT_L=$(channel_loudness left 1); LEFT_R=$(channel_loudness left 2)
RIGHT_L=$(channel_loudness right 1); RIGHT_R=$(channel_loudness right 2)
check "a skull to the left is heard on the left ($LEFT_L against $LEFT_R RMS)" \
    times_over "$LEFT_L" "$LEFT_R" 2
check "one to the right on the right ($RIGHT_R against $RIGHT_L RMS)" \
    times_over "$RIGHT_R" "$RIGHT_L" 2
NEAR=$(channel_loudness near 1)
check "at half the distance it is louder ($NEAR against $LEFT_L RMS)" times_over "$NEAR" "$LEFT_L" 1.3

finish
