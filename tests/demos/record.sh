#!/usr/bin/env bash
# Records the regression demos from real play in the window, each with the summary of
# the game as it ended: tests/demos/NAME.demo and NAME.stats, and NAME.lev for a level
# of its own. The test suite replays every one and compares the summaries to the letter
# (tests/e2e/demos_e2e.sh). Record them again only when a change is meant to change
# what a game does; a demo that no longer replays is a broken promise otherwise.
#   bash tests/demos/record.sh build/duskmarch [NAME ...]   (from the repository root)
# With names, only those demos are recorded again.
set -u
source "$(dirname "$0")/../e2e/lib.sh" "$1"
DEMOS="$ROOT/tests/demos"
E2E_SCREEN=1280x800x24
start_x
start_wm
start_audio

# record NAME [GAME ARGUMENTS]: starts the game in a folder of its own, recording.
record() {
    local name=$1
    shift
    mkdir -p "$E2E_WORK/$name"
    ln -sfn "$ROOT/assets" "$E2E_WORK/$name/assets"
    ln -sfn "$ROOT/levels" "$E2E_WORK/$name/levels"
    start_game "$GAME" "$E2E_WORK/$name" "$name" -- --record "$DEMOS/$name.demo" \
        --statdump "$DEMOS/$name.stats" "$@"
    open_window
}

# wanted NAME: true when NAME is to be recorded this time.
wanted() {
    [ ${#ONLY[@]} -eq 0 ] || [[ " ${ONLY[*]} " == *" $1 "* ]]
}
ONLY=("${@:2}")

level_of_its_own() { # level_of_its_own NAME: the level from stdin, kept beside the demo
    cat >"$DEMOS/$1.lev"
}

if wanted walk; then
echo "# a walk through the shipped level"
record walk
enter_play
hold "$WIN" 1.5 w
xdotool mousemove --window "$WIN" 270 200
hold "$WIN" 1 w shift
hold "$WIN" 0.8 d
xdotool mousemove --window "$WIN" 340 200
hold "$WIN" 1.2 w
quit_with_escape
fi

if wanted fight; then
echo "# a fight to the last skull, and the bell"
{ open_room; echo "unit:20 22"; } | level_of_its_own fight
record fight --level "$DEMOS/fight.lev"
enter_play
sleep 2.5
for _ in 1 2 3 4 5 6 7; do click "$WIN" 1; sleep 0.5; done
sleep 1
quit_with_escape
fi

if wanted speed; then
echo "# calling up skulls, and the speed keys past their bounds"
open_room | level_of_its_own speed
record speed --level "$DEMOS/speed.lev"
enter_play
for _ in 1 2 3; do press "$WIN" space; hold "$WIN" 0.3 s; done
for _ in 1 2 3 4; do press "$WIN" equal; done
hold "$WIN" 0.5 w
for _ in 1 2 3 4 5 6 7 8 9; do press "$WIN" minus; done
hold "$WIN" 0.5 a
press "$WIN" equal
quit_with_escape
fi

if wanted load; then
echo "# a game begun with Load, saved on the way"
mkdir -p "$E2E_WORK/load"
printf 'x:17\ny:21\nplayer_health:40\nplayer_mana:3\nplayer_stamina:9\nunit:16 19\nunit:20 24\n' \
    >"$E2E_WORK/load/gamesave.dat"
record load
enter_load
hold "$WIN" 0.6 w
click "$WIN" 3
xdotool mousemove --window "$WIN" 320 200
hold "$WIN" 0.6 d
click "$WIN" 3
click "$WIN" 1
quit_with_escape
fi

if wanted pause; then
echo "# a pause and a focus lost in the middle"
open_room | level_of_its_own pause
record pause --level "$DEMOS/pause.lev"
enter_play
hold "$WIN" 0.8 w
press "$WIN" Pause
sleep 1
press "$WIN" Pause
hold "$WIN" 0.5 a
xmessage -geometry +700+500 "elsewhere" &
OTHER=$!
sleep 1.5
kill "$OTHER"
sleep 0.3
xdotool windowactivate --sync "$WIN" 2>/dev/null
xdotool mousemove --window "$WIN" 300 200 click 1
sleep 0.5
hold "$WIN" 0.8 s
quit_with_escape
fi

if wanted fullscreen; then
echo "# the full screen and back, in the middle"
open_room | level_of_its_own fullscreen
record fullscreen --level "$DEMOS/fullscreen.lev"
enter_play
hold "$WIN" 0.6 w
press "$WIN" F11
sleep 1
hold "$WIN" 0.6 d
press "$WIN" alt+Return
sleep 1
hold "$WIN" 0.6 s
quit_with_escape
fi

if wanted crowd; then
echo "# a crowd of a hundred skulls"
{
    open_room
    for i in $(seq 0 99); do echo "unit:$((3 + i % 10)) $((3 + i / 10 * 2))"; done
} | level_of_its_own crowd
record crowd --level "$DEMOS/crowd.lev"
enter_play
hold "$WIN" 2 w
xdotool mousemove --window "$WIN" 250 200
hold "$WIN" 1.5 w
quit_with_escape
fi

if wanted map; then
echo "# the map opened on a walk, a mark put, zoomed and turned, and closed"
record map
enter_play
hold "$WIN" 1 w
press "$WIN" Tab
hold "$WIN" 1.2 w
press "$WIN" m
xdotool mousemove --window "$WIN" 330 200
hold "$WIN" 1 a
press "$WIN" r
press "$WIN" Prior
press "$WIN" m
press "$WIN" Tab
hold "$WIN" 0.8 s
quit_with_escape
fi

for demo in "$DEMOS"/*.demo; do
    echo "$(basename "$demo"): $(grep -c '^frame' "$demo") frames, $(tail -n 1 "$demo")"
done
