#!/usr/bin/env bash
# The game as one program among others on a desktop with a window manager: another
# window taking the focus pauses play and frees the pointer, the Pause key, filling the
# screen and back, and a cleared level that stays cleared after Load.
# usage: desktop_e2e.sh PATH_TO_GAME   (run from the repository root)
set -u
source "$(dirname "$0")/lib.sh" "$1"

SCREEN_W=1280
SCREEN_H=800
export E2E_SCREEN=${SCREEN_W}x${SCREEN_H}x24
start_x
start_audio
start_wm || check "the window manager starts" false

CLOCK_TICKS=$(getconf CLK_TCK)

# cpu_share SECONDS: the share of a core the game's loop takes over the next SECONDS, in
# percent, and after a slash that of the whole game. The loop runs on the main thread;
# Allegro mixes the ambience, which plays on while paused, on a thread of its own.
cpu_share() {
    local loop=/proc/$GAME_PID/task/$GAME_PID/stat whole=/proc/$GAME_PID/stat
    local loop_before whole_before loop_after whole_after
    loop_before=$(awk '{print $14 + $15}' "$loop")
    whole_before=$(awk '{print $14 + $15}' "$whole")
    sleep "$1"
    loop_after=$(awk '{print $14 + $15}' "$loop")
    whole_after=$(awk '{print $14 + $15}' "$whole")
    awk -v l="$((loop_after - loop_before))" -v w="$((whole_after - whole_before))" \
        -v hz="$CLOCK_TICKS" -v s="$1" 'BEGIN { printf "%.1f/%.1f", 100 * l / hz / s, 100 * w / hz / s }'
}

pointer_at() { # pointer_at X Y: the pointer is there
    test "$(xdotool getmouselocation | awk '{print $1, $2}')" = "x:$1 y:$2"
}

window_size() { xdotool getwindowgeometry "$WIN" | awk '/Geometry/ {print $2}'; }

# The mean brightness of a screenshot's middle, 0 to 255.
brightness() {
    convert "$E2E_WORK/$1.png" -crop 600x300+0+50 -format '%[fx:int(255*mean)]' info:
}

# A paused game takes under 5% of a core; the sanitized game, which does everything it
# does several times over, under 10%.
PAUSED_LIMIT=5
speed_checks || PAUSED_LIMIT=10

blows() { grep -c '^You take' "$E2E_WORK/$1.out"; }

# A second program's window, to give the focus to.
other_window() {
    xmessage -geometry 300x80+$((SCREEN_W - 320))+$((SCREEN_H - 120)) "another program" &
    OTHER_PID=$!
    for _ in $(seq 50); do
        OTHER=$(xdotool search --onlyvisible --class '^Xmessage$' 2>/dev/null | tail -n 1)
        [ -n "$OTHER" ] && return 0
        sleep 0.1
    done
    return 1
}

echo "# in the menu the pointer is free"
{ open_room; echo "unit:18 22"; } | make_game_folder focus
start_game "$GAME" "$E2E_WORK/focus" focus
open_window && wait_menu
xdotool mousemove 1000 690
sleep 0.5
check "the menu leaves the pointer where it is moved" pointer_at 1000 690

echo "# another window takes the focus during play"
enter_play
shoot "$WIN" focused
other_window || check "a second program's window opens" false
xdotool windowactivate --sync "$OTHER" 2>/dev/null
sleep 0.5
xdotool mousemove 1000 690
sleep 0.5
shoot "$WIN" unfocused-start
check "the pointer stays where it is moved" pointer_at 1000 690
check "the game is paused, its view dimmed ($(brightness unfocused-start) from $(brightness focused))" \
    greater_than "$(awk -v b="$(brightness focused)" 'BEGIN { print b * 0.6 }')" "$(brightness unfocused-start)"
check "with \"Paused\" in the game's colours" \
    test "$(count_colour unfocused-start 300x60+150+50 '#ECE2C4')" -gt 100
share=$(cpu_share 5)
check "paused, the game's loop takes under $PAUSED_LIMIT% of a core (loop/whole: $share%)" \
    greater_than "$PAUSED_LIMIT" "${share%/*}"
sleep 3
shoot "$WIN" unfocused-end
check "the view stands still" test "$(pixels_changed unfocused-start unfocused-end 600x400+0+0)" -eq 0
check "and a skull 4 cells away struck nobody in 8 s" test "$(blows focus)" -eq 0
check "the pointer is still where it was moved" pointer_at 1000 690

echo "# the focus comes back"
xdotool windowactivate --sync "$WIN" 2>/dev/null
sleep 0.5
shoot "$WIN" refocused
check "play goes on, the view bright again ($(brightness refocused))" \
    greater_than "$(brightness refocused)" "$(awk -v b="$(brightness focused)" 'BEGIN { print b * 0.8 }')"
# The skull walks up in the middle of the view; beside it, walls and floor move only if
# the view turns.
check "the view did not turn on coming back" \
    test "$(pixels_changed focused refocused 150x300+0+50)" -lt 500
# window_centre: where (300, 200) of the window is on the screen, as "X Y".
window_centre() {
    xwininfo -id "$WIN" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
        END {print x + 300, y + 200}'
}
check "the pointer is back at the window's centre" pointer_at $(window_centre)
share=$(cpu_share 2)
check "playing, the game's loop is busy again (loop/whole: $share%)" \
    greater_than "${share%/*}" "$PAUSED_LIMIT"
hold "$WIN" "$(speed_checks && echo 2 || echo 3)" s # the sanitized game is slower
kill "$OTHER_PID" 2>/dev/null

echo "# the Pause key"
press "$WIN" Pause
check "Pause pauses" wait_paused "$WIN" paused
share=$(cpu_share 5)
check "paused by the key, under $PAUSED_LIMIT% of a core (loop/whole: $share%)" \
    greater_than "$PAUSED_LIMIT" "${share%/*}"
press "$WIN" Pause
sleep 0.5
shoot "$WIN" unpaused
check "Pause again plays on" test "$(count_colour unpaused 300x60+150+50 '#ECE2C4')" -eq 0
quit_with_escape; status=$?
check "Escape saves and ends the game with status 0" test "$status" = 0
check "walking back after the pause went back" test "$(save_value focus x)" -gt 22
check "and its exit report lists no live allocation" clean_exit_report focus

echo "# filling the screen and back"
open_room | make_game_folder screen
start_and_play screen
press "$WIN" F11
sleep 1
check "F11 fills the screen" test "$(window_size)" = "${SCREEN_W}x${SCREEN_H}"
shoot "$WIN" full
# 1280x800 takes the 600x400 frame twice: 1200x800, between bars 40 pixels wide.
convert "$E2E_WORK/full.png" -crop 1200x800+40+0 +repage "$E2E_WORK/full-frame.png"
convert "$E2E_WORK/full-frame.png" -sample 600x400 -sample 1200x800 "$E2E_WORK/full-blocks.png"
check "the frame is shown in exact 2 by 2 blocks" \
    test "$(compare -metric AE "$E2E_WORK/full-frame.png" "$E2E_WORK/full-blocks.png" null: 2>&1 | cut -d' ' -f1)" = 0
check "between black bars" test "$(count_colour full 40x800+0+0 '#000000')" -eq 32000 -a \
    "$(count_colour full 40x800+1240+0 '#000000')" -eq 32000
check "and it is the view: floor below, HUD above" test "$(count_colour full 960x120+0+0 '#ECE2C4')" -gt 200
check "the full screen is remembered" grep -qx 'fullscreen=on' "$XDG_CONFIG_HOME/duskmarch/settings.ini"
press "$WIN" alt+Return
sleep 1
check "Alt+Enter gives the 600x400 window back" test "$(window_size)" = 600x400
shoot "$WIN" windowed-again
check "with the view in it" test "$(floor_brightness windowed-again)" -gt 15
press "$WIN" F11
sleep 1
quit_with_escape; status=$?
check "the game ends with status 0" test "$status" = 0
start_game "$GAME" "$E2E_WORK/screen" screen-again
open_window
for _ in $(seq 50); do
    [ "$(window_size)" = "${SCREEN_W}x${SCREEN_H}" ] && break
    sleep 0.1
done
check "the next start opens on the full screen, as the last one left it" test "$(window_size)" = "${SCREEN_W}x${SCREEN_H}"
sleep 1 # the menu takes its keys once it has loaded
press "$WIN" alt+Return
sleep 1
check "and Alt+Enter in the menu goes back to the window, remembered too" \
    grep -qx 'fullscreen=off' "$XDG_CONFIG_HOME/duskmarch/settings.ini"
press "$WIN" Escape
wait_for_exit

echo "# a cleared level stays cleared"
{ open_room; echo "unit:21 22"; } | make_game_folder cleared
start_and_play cleared
sleep 2.5 # the skull walks up within reach
for _ in 1 2 3 4; do
    click "$WIN" 1
    sleep 0.5
done
shoot "$WIN" won
check "the last kill is shown in the HUD" test "$(count_colour won 200x16+8+36 '#ECE2C4')" -gt 50
quit_with_escape
check "and told on the console" grep -q "THE DEAD SLEEP ONCE MORE" "$E2E_WORK/cleared.out"
check "the save of the cleared level says no unit is left" grep -qx 'units:0' "$E2E_WORK/cleared/gamesave.dat"
keep_save cleared cleared-first
start_and_load cleared
sleep 1
shoot "$WIN" loaded
quit_with_escape
check "Load brings back a level with no skull: its save holds no unit either" \
    test -z "$(saved_units cleared)"
check "and says so again" grep -qx 'units:0' "$E2E_WORK/cleared/gamesave.dat"
check "the loaded game told no blow" test "$(blows cleared)" -eq 0

echo "# a replay keeps the recording's turning when the player switches the screen"
open_room | make_game_folder smooth
mkdir -p "$E2E_WORK/smooth-config/duskmarch"
printf '[controls]\nturning=smooth\nsensitivity=7\n' >"$E2E_WORK/smooth-config/duskmarch/settings.ini"
start_game "$GAME" "$E2E_WORK/smooth" smooth-record XDG_CONFIG_HOME="$E2E_WORK/smooth-config" \
    -- --record "$E2E_WORK/smooth.demo"
open_window && enter_play
for _ in $(seq 12); do # the pointer turns the view, a little each frame
    xdotool mousemove_relative -- 25 0
    sleep 0.05
done
hold "$WIN" 0.6 w
quit_with_escape
check "the demo was recorded with smooth turning" grep -qx 'turning smooth 7' "$E2E_WORK/smooth.demo"
# The player's own settings say classic turning: the replay must still turn smoothly,
# before and after F11 fills the screen and goes back.
start_game "$GAME" "$E2E_WORK/smooth" smooth-replay -- --playdemo "$E2E_WORK/smooth.demo"
open_window
sleep 0.3
press "$WIN" F11
sleep 0.3
press "$WIN" F11
wait_for_exit 60; status=$?
check "F11 during the replay keeps it in step (status $status)" \
    grep -q '^Demo ended after' "$E2E_WORK/smooth-replay.out"
check "and it ends with status 0" test "$status" = 0
check "the player's settings file keeps its classic turning" \
    grep -qx 'turning=classic' "$XDG_CONFIG_HOME/duskmarch/settings.ini"

finish
