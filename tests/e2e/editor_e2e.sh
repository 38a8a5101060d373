#!/usr/bin/env bash
# The list of levels and the editor in the real window: a small level built with the
# pointer and the keys, saved under a name typed on screen, found in the list and played,
# where its skull strikes; F4 from play and F5 back; unsaved changes asked about first.
# usage: editor_e2e.sh PATH_TO_GAME   (run from the repository root)
set -u
source "$(dirname "$0")/lib.sh" "$1"

start_x

# The pointer over the editor's cell at line X, character Y of the level.
point_at_cell() { # point_at_cell X Y
    xdotool mousemove --window "$WIN" $((8 + $2 * 11 + 5)) $((8 + $1 * 11 + 5))
    sleep 0.1
}
# The editor's floor, where the grid shows: its dark cells in the grid's area.
editor_floor() { count_colour "$1" 330x330+8+8 '#1E1B18'; }
# The yellow of the editor's question at its foot.
asking() { count_colour "$1" 590x16+8+378 '#FFE63C'; }
# A level's row, non-black pixels of it, in the list.
list_row_ink() {
    convert "$E2E_WORK/$1.png" -crop "500x16+50+$((70 + $2 * 20))" +repage -fill white +opaque black \
        -format '%[fx:int(mean*w*h)]' info:
}
# Shoots the window as NAME until the editor's grid shows, for five seconds at most.
wait_editor() { # wait_editor NAME
    for _ in $(seq 50); do
        shoot "$WIN" "$1"
        [ "$(editor_floor "$1")" -gt 10000 ] && return 0
        sleep 0.1
    done
    return 1
}

DATA="$E2E_WORK/data"
OWN="$DATA/duskmarch/my-levels"
mkdir -p "$E2E_WORK/ed"
ln -s "$ROOT/assets" "$E2E_WORK/ed/assets"
ln -s "$ROOT/levels" "$E2E_WORK/ed/levels"
start_game "$GAME" "$E2E_WORK/ed" ed XDG_DATA_HOME="$DATA"
open_window && wait_menu

echo "# the list, and a new level built in the editor"
press "$WIN" l
shoot "$WIN" list
check "L opens the list: the crypt's five levels" test "$(list_row_ink list 4)" -gt 200 -a "$(list_row_ink list 5)" -lt 10
press "$WIN" n
check "N makes a new level in the editor" wait_editor new
# A wall across the room, dragged with the left button.
point_at_cell 10 4
xdotool mousedown 1
sleep 0.1
for y in 8 12 16 20 24; do
    point_at_cell 10 "$y"
done
xdotool mouseup 1
sleep 0.1
# A skull a cell north of the start.
point_at_cell 21 22
press "$WIN" k
shoot "$WIN" built
check "the drag and K changed the grid" test "$(pixels_changed new built 330x330+8+8)" -gt 300
press "$WIN" ctrl+s
shoot "$WIN" naming
check "Ctrl+S asks for the name of a new level" test "$(asking naming)" -gt 50
for key in shift+b o n e space shift+y a r d; do
    press "$WIN" "$key"
done
press "$WIN" Return
sleep 0.3
LEVEL="$OWN/Bone-Yard.lev"
check "it is saved among the player's levels under its name" test -f "$LEVEL"
check "with the name typed" grep -qx 'name:Bone Yard' "$LEVEL"
check "the skull where K put it" grep -qx 'unit:21 22' "$LEVEL"
WALL_ROW="1000$(printf '1%.0s' $(seq 21))00001" # line 10: walls from character 4 to 24
check "and the dragged wall, without a gap" test "$(sed -n 11p "$LEVEL")" = "$WALL_ROW"

press "$WIN" F5
sleep 0.3
shoot "$WIN" new-played
check "F5 plays the new level at once" test "$(floor_brightness new-played)" -gt 15
press "$WIN" F5
check "F5 comes back to the editor" wait_editor new-back

echo "# found in the list, played, and its skull strikes"
press "$WIN" Escape
shoot "$WIN" listed
check "the list shows it after the crypt's" test "$(list_row_ink listed 5)" -gt 100
press "$WIN" Up # from the first row up to the last: the player's own
press "$WIN" Return
sleep 0.5
shoot "$WIN" playing
check "Enter plays it" test "$(floor_brightness playing)" -gt 15
# Saved each second until the save tells of a blow, however slowly the frames come.
for _ in $(seq 15); do
    sleep 1
    click "$WIN" 3
    SAVE=$(ls "$E2E_WORK"/ed/gamesave-Bone-Yard-*.dat 2>/dev/null | head -n 1)
    HEALTH=$(sed -n 's/^player_health://p' "$SAVE" 2>/dev/null)
    [ "${HEALTH:-100}" -lt 100 ] && break
done
check "its save is its own" test -n "$SAVE"
check "the skull struck (health $HEALTH)" test "${HEALTH:-100}" -lt 100

echo "# F4 from play, F5 back and forth, and unsaved changes"
press "$WIN" F4
check "F4 opens the editor on the level played" wait_editor f4
press "$WIN" F5
sleep 0.3
shoot "$WIN" f5
check "F5 plays it at once" test "$(floor_brightness f5)" -gt 15
press "$WIN" F5
check "F5 comes back to the editor" wait_editor back
point_at_cell 5 5
press "$WIN" k
press "$WIN" Escape
shoot "$WIN" ask
check "Escape with a change unsaved asks first" test "$(asking ask)" -gt 50
press "$WIN" n
shoot "$WIN" stayed
check "N stays in the editor" test "$(asking stayed)" -lt 10 -a "$(editor_floor stayed)" -gt 10000
press "$WIN" Escape
press "$WIN" y
check "Y leaves without saving, to the menu once the editor has played" wait_menu
check "the level file kept what was saved" sh -c "! grep -q '^unit:5 5$' '$LEVEL'"
press "$WIN" Escape
wait_for_exit; status=$?
check "the game ends cleanly (status $status)" test "$status" -eq 0
check "with a clean exit report" clean_exit_report ed

echo "# --edit of what is no level file"
"$GAME" --edit "$E2E_WORK" >"$E2E_WORK/dir.out" 2>&1; status=$?
check "--edit of a folder is refused before any window (status $status)" test "$status" -eq 2
finish
