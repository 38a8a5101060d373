#!/usr/bin/env bash
# One press acts on one screen: every screen around play, opened and closed with its keys,
# each press short (a player's tap, shorter than a frame or a few frames long), and the
# press that closes a screen never reaching the one under it. Above all: F4 from play and
# a short Escape close the editor and play goes on, the player's save untouched.
# usage: screens_e2e.sh PATH_TO_GAME   (run from the repository root)
set -u
source "$(dirname "$0")/lib.sh" "$1"

start_x

# tap KEY MS: the key held for MS milliseconds only (one xdotool, so that starting a
# second one adds nothing to the time held).
tap() {
    xdotool windowfocus "$WIN" 2>/dev/null
    xdotool keydown "$1" sleep "$(awk -v ms="$2" 'BEGIN { print ms / 1000 }')" keyup "$1"
    sleep 0.3
}
alive() { kill -0 "$GAME_PID" 2>/dev/null; }
# A game that has ended has nothing more to show: the checks stop there.
still_running() { # still_running WHAT
    check "$1" alive && save_kept && return 0
    check "the game ended or wrote the save on its own" false
    finish
    exit 1
}
# The editor's floor, where its grid shows.
editor_shown() { shoot "$WIN" "$1" && [ "$(count_colour "$1" 330x330+8+8 '#1E1B18')" -gt 10000 ]; }
playing_shown() { shoot "$WIN" "$1" && [ "$(floor_brightness "$1")" -gt 15 ]; }
# The main menu, its chosen item green.
menu_shown() { shoot "$WIN" "$1" && [ "$(count_colour "$1" 100x90+250+178 '#00FF00')" -gt 20 ]; }
# Waits a second at most for what the check looks for: a slow game answers a frame late.
within_a_second() { # within_a_second CHECK NAME
    for _ in $(seq 5); do
        "$1" "$2" && return 0
        sleep 0.2
    done
    return 1
}

mkdir -p "$E2E_WORK/screens"
ln -s "$ROOT/assets" "$E2E_WORK/screens/assets"
ln -s "$ROOT/levels" "$E2E_WORK/screens/levels"
# The player's save, of the crypt's second level, which nothing here may touch.
printf 'x:3\ny:3\nplayer_health:41\nlevel:Narrows.lev\n' >"$E2E_WORK/screens/gamesave.dat"
cp "$E2E_WORK/screens/gamesave.dat" "$E2E_WORK/save-before"
save_kept() { cmp -s "$E2E_WORK/save-before" "$E2E_WORK/screens/gamesave.dat"; }

start_game "$GAME" "$E2E_WORK/screens" screens XDG_DATA_HOME="$E2E_WORK/data"
open_window && wait_menu

echo "# the screens of the menu, each left with a short Escape"
tap o 1
shoot "$WIN" options
check "a 1 ms tap of O, between two frames, opens the Options screen" \
    test "$(count_colour options 100x90+250+178 '#00FF00')" -lt 20
tap Escape 40
check "a 40 ms Escape leaves the Options screen for the menu, and only that" \
    within_a_second menu_shown options-left
still_running "the game still runs"
tap l 40
tap Escape 1
check "L and a 1 ms Escape: the list, and back to the menu" within_a_second menu_shown list-left
still_running "the game still runs"
tap l 40
tap e 40
check "E in the list opens the editor on the crypt's first level" within_a_second editor_shown list-editor
tap Escape 40
shoot "$WIN" list-again
check "a 40 ms Escape goes back to the list, not further" \
    test "$(count_colour list-again 100x90+250+178 '#00FF00')" -lt 20 -a "$(count_colour list-again 330x330+8+8 '#1E1B18')" -lt 10000
tap Escape 40
check "and another to the menu" within_a_second menu_shown list-left-again
still_running "the game still runs"

echo "# play, and the screens over it"
enter_play
check "Enter plays" playing_shown play
press "$WIN" F4
check "F4 opens the editor on the level played" within_a_second editor_shown f4
tap Escape 40
sleep 0.5
still_running "a 40 ms Escape leaves the editor, the game goes on and the save is untouched"
check "in play" playing_shown after-editor
press "$WIN" F4
check "F4 again" within_a_second editor_shown f4-again
press "$WIN" F5
check "F5 plays the editor's level" within_a_second playing_shown f5
tap Escape 40
check "a 40 ms Escape comes back to the editor, and no further" within_a_second editor_shown f5-left
tap Escape 40
check "another leaves the editor, for the menu once it has played its level" \
    within_a_second menu_shown f4-left
still_running "the game still runs, the save untouched"
enter_play
press "$WIN" Pause
check "Pause holds play" wait_paused "$WIN" paused
tap o 40
shoot "$WIN" paused-options
check "O on the pause screen opens the Options screen" \
    test "$(count_colour paused-options 300x60+150+50 '#ECE2C4')" -lt 100
tap Escape 40
check "a 40 ms Escape goes back to the pause screen, not further" wait_paused "$WIN" options-left
still_running "the game still runs, the save untouched"
press "$WIN" Pause
check "Pause plays on" within_a_second playing_shown resumed

echo "# Escape in play still saves and ends the game"
press "$WIN" Escape
wait_for_exit; status=$?
check "the game ends cleanly (status $status)" test "$status" -eq 0
check "with a clean exit report" clean_exit_report screens
check "having saved this game" sh -c "! cmp -s '$E2E_WORK/save-before' '$E2E_WORK/screens/gamesave.dat'"
finish
