#!/usr/bin/env bash
# The command line: --help and --version, options it cannot use (refused before any
# window), a level of one's own with a save of its own, the start mode over the remembered
# one; and in the window, screenshots and Load without a save.
# usage: command_line_e2e.sh PATH_TO_GAME   (run from the repository root)
set -u
source "$(dirname "$0")/lib.sh" "$1"

E2E_SCREEN=1280x800x24
start_x
start_wm
start_audio
export XDG_DATA_HOME="$E2E_WORK/data"
SHOTS="$XDG_DATA_HOME/duskmarch/screenshots"

echo "# --help and --version"
"$GAME" --help >"$E2E_WORK/help.out" 2>&1
check "--help ends with status 0 ($?)" test $? = 0
check "and says how to use it" grep -q '^Usage: duskmarch \[OPTION\]' "$E2E_WORK/help.out"
check "--version names the version" test "$("$GAME" --version)" = "Duskmarch $(sed -n 's/^project(Duskmarch VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")"
options_in() { grep -o -- '--[a-z][a-z]*' "$1" | sort -u | tr '\n' ' '; }
man -l "$ROOT/packaging/duskmarch.6" 2>/dev/null | sed -n '/^OPTIONS/,/^CONTROLS/p' >"$E2E_WORK/man-options.txt"
check "--help and the manual page name the same options ($(options_in "$E2E_WORK/help.out"))" \
    test "$(options_in "$E2E_WORK/help.out")" = "$(options_in "$E2E_WORK/man-options.txt")"

echo "# what it cannot use: one line, status 2, no window"
mkdir -p "$E2E_WORK/a-folder"
WALK=tests/demos/walk.demo
for line in "--bogus" "-x" "--level" "--level $E2E_WORK/a-folder" "--level $E2E_WORK/nothing.lev" "stray" \
    "--record $E2E_WORK/r.demo --playdemo $WALK" "--playdemo $WALK --timedemo $WALK" \
    "--timedemo $WALK --record $E2E_WORK/r.demo" "--windowed --fullscreen"; do
    # shellcheck disable=SC2086 # the line's words on purpose
    (cd "$ROOT" && "$GAME" $line) >"$E2E_WORK/refused.out" 2>"$E2E_WORK/refused.err"
    status=$?
    check "\"$line\": status 2 ($status), one line naming it ($(head -c 80 "$E2E_WORK/refused.err"))" \
        test "$status" = 2 -a "$(wc -l <"$E2E_WORK/refused.err")" = 1 -a ! -s "$E2E_WORK/refused.out"
    check "\"$line\": pointing to --help" grep -q -- '--help' "$E2E_WORK/refused.err"
done

check "options that cannot go together name both" \
    grep -q -- '--windowed and --fullscreen cannot go together' "$E2E_WORK/refused.err"
check "and nothing was recorded" test ! -e "$E2E_WORK/r.demo"

echo "# a summary that cannot be written is a failure"
(cd "$ROOT" && "$GAME" --timedemo "$WALK" --statdump "$E2E_WORK/no-folder/walk.stats") \
    >"$E2E_WORK/nostats.out" 2>&1
status=$?
check "--statdump into a missing folder ends with status 1 ($status)" test "$status" = 1
check "saying why" grep -q "Cannot write the statistics to \"$E2E_WORK/no-folder/walk.stats\"" \
    "$E2E_WORK/nostats.out"

echo "# a level of one's own"
mkdir -p "$E2E_WORK/mine"
ln -s "$ROOT/assets" "$E2E_WORK/mine/assets"
mkdir -p "$E2E_WORK/mine/levels"
cp "$ROOT/levels/RirUdodu.lev" "$E2E_WORK/mine/levels/"
open_room >"$E2E_WORK/mine/mine.lev"
printf 'x:3\ny:3\n' >"$E2E_WORK/mine/gamesave.dat"
start_game "$GAME" "$E2E_WORK/mine" mine -- --level mine.lev
open_window && enter_play
hold "$WIN" 1 w
quit_with_escape; status=$?
SAVE=$(ls "$E2E_WORK/mine" | grep '^gamesave-mine-[0-9a-f]\{8\}\.dat$')
check "its save has a name of its own ($SAVE), status $status" test -n "$SAVE" -a "$status" = 0
check "the shipped level's save is untouched" test "$(cat "$E2E_WORK/mine/gamesave.dat")" = "$(printf 'x:3\ny:3')"
check "the walk on the open room is in it" test "$(sed -n 's/^x://p' "$E2E_WORK/mine/$SAVE")" -lt 22
check "it is the open room: no skull" grep -qx 'units:0' "$E2E_WORK/mine/$SAVE"

echo "# the start mode over the remembered one"
mkdir -p "$XDG_CONFIG_HOME/duskmarch"
printf '[view]\nfullscreen=on\n' >"$XDG_CONFIG_HOME/duskmarch/settings.ini"
window_size() { xdotool getwindowgeometry "$WIN" | awk '/Geometry/ {print $2}'; }
start_game "$GAME" "$ROOT" windowed -- --windowed
open_window && wait_menu
check "--windowed keeps the window ($(window_size)) though the full screen was remembered" test "$(window_size)" = 600x400
press "$WIN" Escape
wait_for_exit
check "and leaves the remembered mode as it was" grep -qx 'fullscreen=on' "$XDG_CONFIG_HOME/duskmarch/settings.ini"
rm "$XDG_CONFIG_HOME/duskmarch/settings.ini"
start_game "$GAME" "$ROOT" fullscreen -- --fullscreen
open_window
for _ in $(seq 50); do
    [ "$(window_size)" = 1280x800 ] && break
    sleep 0.1
done
check "--fullscreen fills the screen ($(window_size))" test "$(window_size)" = 1280x800
sleep 1
press "$WIN" Escape
wait_for_exit

echo "# Load without a save, and screenshots"
mkdir -p "$E2E_WORK/nosave"
ln -s "$ROOT/assets" "$E2E_WORK/nosave/assets"
ln -s "$ROOT/levels" "$E2E_WORK/nosave/levels"
start_and_load nosave
shoot "$WIN" no-save
check "Load without a save says so on the HUD" test "$(count_colour no-save 480x18+0+36 '#ECE2C4')" -gt 50
# Files of the names the next seconds' screenshots would take stand there already, one a
# link: each press must find a name of its own beside them, whatever second it falls in.
mkdir -p "$SHOTS"
NOW=$(date +%s)
for second in $(seq "$NOW" $((NOW + 15))); do
    echo "not a screenshot" >"$SHOTS/duskmarch-$(date -d "@$second" +%Y-%m-%d-%H%M%S).png"
done
echo "someone else's" >"$E2E_WORK/linked.txt"
ln -sf "$E2E_WORK/linked.txt" "$SHOTS/duskmarch-$(date -d "@$((NOW + 1))" +%Y-%m-%d-%H%M%S)-2.png"
press "$WIN" F12
press "$WIN" F12
SHOT_COUNT=$(ls "$SHOTS" 2>/dev/null | grep -c '^duskmarch-.*-[0-9]\.png$')
check "F12 saves a screenshot each time, never over another ($SHOT_COUNT new files)" \
    test "$SHOT_COUNT" = 3 -a "$(grep -lx 'not a screenshot' "$SHOTS"/*.png | wc -l)" = 16
check "and never through a link" test "$(cat "$E2E_WORK/linked.txt")" = "someone else's"
FIRST=$(ls "$SHOTS" | grep -e '-[0-9]\.png$' | grep -v "$(date -d "@$((NOW + 1))" +%H%M%S)-2" | head -n 1)
check "a PNG of the 600x400 frame" test "$(identify -format '%m %wx%h' "$SHOTS/$FIRST" 2>/dev/null)" = "PNG 600x400"
cp "$SHOTS/$FIRST" "$E2E_WORK/first-shot.png"
check "of the view: the floor below" test "$(floor_brightness first-shot)" -gt 15
check "the console names the file" grep -q "Screenshot saved as $SHOTS/duskmarch-" "$E2E_WORK/nosave.out"
quit_with_escape
touch "$E2E_WORK/a-file"
start_game "$GAME" "$E2E_WORK/nosave" noshot XDG_DATA_HOME="$E2E_WORK/a-file"
open_window && enter_play
press "$WIN" F12
quit_with_escape; status=$?
check "a screenshot that cannot be saved is said, and play goes on (status $status)" \
    grep -q "Could not save a screenshot: $E2E_WORK/a-file" "$E2E_WORK/noshot.out"

finish
