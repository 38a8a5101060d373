#!/usr/bin/env bash
# The map in the real window: it shows more after a walk than before, a save keeps it and
# Load brings it back, and the tally panel comes when the last skull falls.
# usage: map_e2e.sh PATH_TO_GAME   (run from the repository root)
set -u
source "$(dirname "$0")/lib.sh" "$1"

start_x
start_audio

# Pixels of the map that are not black, above its foot line and below the HUD.
map_pixels() {
    convert "$E2E_WORK/$1.png" -crop 600x300+0+50 +repage -fill white +opaque black \
        -format '%[fx:int(mean*w*h)]' info:
}
# Bone-white pixels (the panel's ink) in the middle of the view, where the tally shows.
panel_ink() { count_colour "$1" 420x90+90+150 '#ECE2C4'; }
seen_lines() { grep -c '^seen:' "$E2E_WORK/$1/gamesave.dat"; }
# W held a second at a time, saving after each, until the save puts the player on grid
# line ROW or beyond it northward: however slowly the frames come, the walk gets there.
walk_north_to() { # walk_north_to FOLDER ROW
    for _ in $(seq 12); do
        hold "$WIN" 1 w
        click "$WIN" 3
        [ "$(save_value "$1" x)" -le "$2" ] && return 0
    done
    return 1
}

echo "# a walk, and the map before and after"
mkdir -p "$E2E_WORK/crypt"
ln -s "$ROOT/assets" "$E2E_WORK/crypt/assets"
ln -s "$ROOT/levels" "$E2E_WORK/crypt/levels"
start_and_play crypt
press "$WIN" Tab
shoot "$WIN" map-start
BEFORE=$(map_pixels map-start)
press "$WIN" Tab
# North up the corridor to its end, where the passage opens to the west, and a look along
# it.
walk_north_to crypt 13
check "the walk reached the corridor's end (line $(save_value crypt x))" test "$(save_value crypt x)" -le 13
hold "$WIN" 0.5 Left
hold "$WIN" 0.6 w
press "$WIN" Tab
shoot "$WIN" map-walked
AFTER=$(map_pixels map-walked)
# A cell is 400 pixels at the map's first zoom: more by two cells at least, which neither
# the arrow nor a skull's dot could make. (How far the look turns depends on the frame rate;
# the slow sanitized game sees four new cells, the normal one some twenty.)
check "the map shows more after the walk ($AFTER pixels) than before ($BEFORE)" \
    test "$AFTER" -gt "$((BEFORE + 800))"
check "its foot names its keys and the tally" test "$(count_colour map-walked 600x36+0+364 '#ECE2C4')" -gt 300
press "$WIN" m
click "$WIN" 3 # saved, the map open
quit_with_escape
check "the save keeps the cells seen" test "$(seen_lines crypt)" -gt 3
check "and the mark" grep -qx 'mark:1 [0-9]* [0-9]*' "$E2E_WORK/crypt/gamesave.dat"
keep_save crypt crypt-first

echo "# Load brings the map back"
start_and_load crypt
press "$WIN" Tab
shoot "$WIN" map-loaded
LOADED=$(map_pixels map-loaded)
quit_with_escape
check "after Load the map shows as much ($LOADED pixels against $AFTER)" \
    test "$LOADED" -ge "$((AFTER * 9 / 10))"
check "every cell seen before is seen still" sh -c "
    grep '^seen:' '$E2E_WORK/crypt-first/gamesave.dat' | while read -r line; do
        row=\${line%% *}; old=\${line#* }
        new=\$(grep \"^\$row \" '$E2E_WORK/crypt/gamesave.dat' | cut -d' ' -f2)
        [ \"\$(printf '%s\n%s\n' \"\$old\" \"\$new\" | awk 'NR==1{a=\$0} NR==2{for(i=1;i<=length(a);i++) if(substr(a,i,1)==1 && substr(\$0,i,1)!=1) exit 1}')\" = '' ] || exit 1
    done"
check "and the mark too" grep -qx "$(grep '^mark:1 ' "$E2E_WORK/crypt-first/gamesave.dat")" \
    "$E2E_WORK/crypt/gamesave.dat"

echo "# the tally when the last skull falls"
{ open_room; echo "unit:21 22"; } | make_game_folder tally
start_and_play tally
sleep 2.5 # the skull walks up within reach
shoot "$WIN" fighting
for _ in 1 2 3 4; do
    click "$WIN" 1
    sleep 0.5
done
PANEL=0
for _ in $(seq 40); do
    shoot "$WIN" tally
    PANEL=$(panel_ink tally)
    [ "$PANEL" -gt 400 ] && break
    sleep 0.2
done
check "no panel while the skull stands ($(panel_ink fighting) pixels)" test "$(panel_ink fighting)" -lt 100
check "the tally panel shows after the last kill ($PANEL pixels of its ink)" test "$PANEL" -gt 400
quit_with_escape
check "the bell and the line came first, as ever" grep -q "THE DEAD SLEEP ONCE MORE" "$E2E_WORK/tally.out"

if [ -n "${DUSKMARCH_SCREENSHOTS:-}" ]; then
    cp "$E2E_WORK/map-walked.png" "$DUSKMARCH_SCREENSHOTS/map.png"
    cp "$E2E_WORK/tally.png" "$DUSKMARCH_SCREENSHOTS/tally.png"
fi

finish
