#!/usr/bin/env bash
# The player's own settings in the real window: the Options screen from the menu and the
# pause screen, settings that outlast a restart, smooth and classic turning measured on
# screen, volumes, keys given to other keys, captions, a hostile settings file, and the
# sound centred between the two channels.
# usage: options_e2e.sh PATH_TO_GAME   (run from the repository root)
set -u
source "$(dirname "$0")/lib.sh" "$1"

start_x
start_audio
SETTINGS="$XDG_CONFIG_HOME/duskmarch/settings.ini"

# An open room with one pillar five cells ahead, its left edge at the middle of the view,
# lit against the far walls, which are black at the horizon: how far its left edge moves
# shows how far the view turned.
pillar_room() {
    open_room | sed '17s/^\(.\{22\}\)0/\15/'
}

setting() { # setting KEY [SECTION]: its value in the settings file (in [controls] and on)
    sed -n "/^\[${2:-controls}\]/,\$ s/^$1=//p" "$SETTINGS" | head -n 1
}

# Bone-white pixels (the titles' and the HUD's ink) in a rectangle WxH+X+Y of a screenshot.
bone_pixels() { count_colour "$1" "$2" '#ECE2C4'; }


within_5_percent() { awk -v a="$1" -v b="$2" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(a > 0 && d <= 0.05 * a) }'; }

# The pillar's left edge in a screenshot: the first column of the horizon's rows, left
# of the sword, that is not black.
pillar_edge() {
    convert "$E2E_WORK/$1.png" -crop 310x8+0+196 +repage -scale 310x1! -colorspace gray -depth 8 txt:- |
        sed -n 's/^\([0-9]*\),0:.*gray(\([0-9.]*\).*/\1 \2/p' |
        awk '$2 > 2 { print $1; exit }'
}

# How far the view turned between two screenshots, in thousandths of a radian: a column
# x of the view looks atan((x - 300) / 454.5) off its middle (the camera plane is 0.66
# long). Columns come three pixels wide, so each edge is known to within 0.007 radians.
view_turn() {
    awk -v a="$(pillar_edge "$1")" -v b="$(pillar_edge "$2")" \
        'BEGIN { d = atan2(b - 300, 454.5) - atan2(a - 300, 454.5); if (d < 0) d = -d; printf "%d\n", d * 1000 }'
}

ratio_between() { # ratio_between LOW HIGH A B: B / A lies from LOW to HIGH
    awk -v lo="$1" -v hi="$2" -v a="$3" -v b="$4" 'BEGIN { exit !(a > 0 && b / a >= lo && b / a <= hi) }'
}

# flick NAME TRAVEL: the pointer moved TRAVEL pixels left of the centre in one go (right,
# when negative), then a screenshot as NAME once the view has settled.
flick() {
    xdotool mousemove --window "$WIN" $((300 - $2)) 200
    sleep 0.4
    shoot "$WIN" "$1"
}

echo "# no settings file: the sound is centred"
start_game "$GAME" "$ROOT" plain
open_window && wait_menu
start_recording centred
sleep 2
stop_recording
LEFT=$(channel_loudness centred 1)
RIGHT=$(channel_loudness centred 2)
check "the left and right channels are within 5% ($LEFT against $RIGHT RMS)" within_5_percent "$LEFT" "$RIGHT"
check "the menu names the Options key at its foot" test "$(bone_pixels waiting 200x16+200+350)" -gt 40
check "and no settings file is written by starting" test ! -e "$SETTINGS"

echo "# Options from the menu"
press "$WIN" o
shoot "$WIN" options-menu
check "O opens the Options screen" test "$(bone_pixels options-menu 300x50+150+15)" -gt 200
press "$WIN" Down               # past the skill's row
press "$WIN" Right              # Turning: Smooth
press "$WIN" Down               # sensitivity 5 ...
press "$WIN" Left               # ... 4
press "$WIN" Escape
check "a change is kept at once" test "$(setting turning) $(setting sensitivity)" = "smooth 4"
press "$WIN" Escape
wait_for_exit; status=$?
check "Escape leaves the screen, then the game (status $status)" test "$status" = 0

echo "# smooth turning, as kept, after a restart"
pillar_room | make_game_folder turning
start_and_play turning
shoot "$WIN" smooth-0
# Right, so that the pillar's edge crosses the left half of the view, clear of the sword.
flick smooth-1 -60
flick smooth-2 -120
SMALL=$(view_turn smooth-0 smooth-1)
LARGE=$(view_turn smooth-1 smooth-2)
check "twice the travel turns twice as far ($SMALL and $LARGE thousandths of a radian)" ratio_between 1.8 2.2 "$SMALL" "$LARGE"

echo "# Options from the pause screen: back to classic turning"
press "$WIN" Pause
wait_paused "$WIN" paused
check "the pause screen names the Options key" test "$(bone_pixels paused 200x16+200+144)" -gt 40
press "$WIN" o
shoot "$WIN" options-paused
check "O opens the Options screen from the pause" test "$(bone_pixels options-paused 300x50+150+15)" -gt 200
press "$WIN" Down                # past the skill's row
press "$WIN" Left                # Turning: Classic
press "$WIN" Escape
press "$WIN" Pause
sleep 0.3
shoot "$WIN" classic-0
# Back to the left, where the smooth turns began.
flick classic-1 30
flick classic-2 60
SMALL=$(view_turn classic-0 classic-1)
LARGE=$(view_turn classic-1 classic-2)
check "classic turning turns both flicks alike ($SMALL and $LARGE thousandths of a radian)" ratio_between 0.9 1.1 "$SMALL" "$LARGE"
check "and is kept" test "$(setting turning)" = classic
quit_with_escape

echo "# keys of one's own, no effects, no ambience, captions"
open_room | make_game_folder keys
printf '[sound]\neffects=0\nambience=0\ncaptions=on\n[keys]\nforward=Z\n' >"$SETTINGS"
start_and_play keys
start_recording quiet-standing
sleep 1.5
stop_recording
start_recording quiet-swings
for _ in 1 2 3; do click "$WIN" 1; sleep 0.35; done
stop_recording
shoot "$WIN" captioned
check "a swing is as quiet as standing ($(loudness_high quiet-swings) against $(loudness_high quiet-standing) RMS above 1.5 kHz)" \
    greater_than "$(awk -v s="$(loudness_high quiet-standing)" 'BEGIN { print s * 1.3 + 0.0002 }')" "$(loudness_high quiet-swings)"
check "the ambience at 0 is silence ($(loudness quiet-standing) RMS)" greater_than 0.001 "$(loudness quiet-standing)"
check "the caption names the sound" test "$(bone_pixels captioned 200x24+0+370)" -gt 30
hold "$WIN" 1 w
click "$WIN" 3
X_W=$(save_value keys x)
hold "$WIN" 1 z
click "$WIN" 3
X_Z=$(save_value keys x)
check "W no longer walks (x $X_W)" test "$X_W" = 22
check "Z walks forward instead (x $X_Z)" test "$X_Z" -lt 22
quit_with_escape

echo "# each volume on its own: footsteps centred without the ambience, the ambience without effects"
SILENCE=$(loudness quiet-standing)
printf '[sound]\nambience=0\n' >"$SETTINGS"
start_and_play keys
start_recording steps
hold "$WIN" 1.5 p
stop_recording
quit_with_escape
LEFT=$(channel_loudness steps 1)
RIGHT=$(channel_loudness steps 2)
check "footsteps are heard with the ambience at 0 ($LEFT RMS against $SILENCE)" \
    greater_than "$LEFT" "$(awk -v s="$SILENCE" 'BEGIN { print 10 * s + 0.001 }')"
check "and are centred: left and right within 5% ($LEFT against $RIGHT RMS)" \
    within_5_percent "$LEFT" "$RIGHT"
printf '[sound]\neffects=0\n' >"$SETTINGS"
start_and_play keys
start_recording ambience-alone
sleep 1.5
stop_recording
quit_with_escape
check "the effects at 0 leave the ambience playing ($(loudness ambience-alone) RMS)" \
    greater_than "$(loudness ambience-alone)" "$(awk -v s="$SILENCE" 'BEGIN { print 10 * s + 0.001 }')"

echo "# a settings file that is a FIFO"
rm -f "$SETTINGS"
mkfifo "$SETTINGS"
start_game "$GAME" "$ROOT" hostile
open_window && wait_menu
shoot "$WIN" hostile
check "the game starts to its menu" test "$(count_colour hostile 100x30+250+178 '#00FF00')" -gt 20
check "saying why the settings are the defaults" grep -q "it is a FIFO, not a regular file; the defaults stay" "$E2E_WORK/hostile.out"
press "$WIN" Escape
wait_for_exit
check "and leaves the FIFO as it was" test -p "$SETTINGS"

echo "# settings that cannot be written"
rm -f "$SETTINGS"
touch "$E2E_WORK/a-file"
start_game "$GAME" "$ROOT" unwritable XDG_CONFIG_HOME="$E2E_WORK/a-file"
open_window && wait_menu
press "$WIN" o
press "$WIN" Right
press "$WIN" Right
press "$WIN" Escape
press "$WIN" Escape
wait_for_exit; status=$?
check "the game ends as ever (status $status)" test "$status" = 0
check "saying once that the settings are not kept" test "$(grep -c 'Settings not kept' "$E2E_WORK/unwritable.out")" = 1

echo "# a French board: the default keys go by their places"
rm -f "$SETTINGS"
setxkbmap -display "$DISPLAY" fr
open_room | make_game_folder azerty
start_and_play azerty
hold "$WIN" 1 w # on a French board W sits where a US board has Z
click "$WIN" 3
X_W=$(save_value azerty x)
hold "$WIN" 1 z # and Z where a US board has W
click "$WIN" 3
X_Z=$(save_value azerty x)
quit_with_escape
setxkbmap -display "$DISPLAY" us
check "W, away from the US W's place, does not walk (x $X_W)" test "$X_W" = 22
check "the key at that place, Z, walks forward (x $X_Z)" test "$X_Z" -lt 22
check "and no settings file was written for it" test ! -e "$SETTINGS"

if [ -n "${DUSKMARCH_SCREENSHOTS:-}" ]; then
    cp "$E2E_WORK/options-menu.png" "$DUSKMARCH_SCREENSHOTS/options.png"
    cp "$E2E_WORK/paused.png" "$DUSKMARCH_SCREENSHOTS/paused.png"
fi

finish
