#!/usr/bin/env bash
# Hostile files, met by the real game in a real window: images cut short, filled with
# junk or empty; a FIFO, a directory or a device where the level or the save should be;
# a level without end; a link at the save's temporary name; a save that cannot be made.
# None may hang the game, swamp its memory, write through a link or pass unreported.
# usage: files_e2e.sh PATH_TO_GAME PATH_TO_CLOSE_WINDOW   (run from the repository root)
set -u
CLOSE_WINDOW=$(realpath "$2")
source "$(dirname "$0")/lib.sh" "$1"

start_x
start_audio

# A game folder with its own copy of the assets, one of them replaced from stdin.
# spoil_image NAME IMAGE
spoil_image() {
    mkdir -p "$E2E_WORK/$1/levels"
    cp -r "$ROOT/assets" "$E2E_WORK/$1/assets"
    cat >"$E2E_WORK/$1/assets/$2"
}

echo "# images cut short, filled with junk, or empty"
# The games of one damage start side by side, each in its folder, and are waited for
# one by one.
IMAGES=(map.png staff.png sword.png skull.png fireball.png)
for damage in short junk empty; do
    declare -A started=()
    for image in "${IMAGES[@]}"; do
        name="${image%.png}-$damage"
        case $damage in
        short) head -c 100 "$ROOT/assets/$image" ;;
        junk) yes 'not an image at all' | head -c 3000 ;;
        empty) : ;;
        esac | spoil_image "$name" "$image"
        start_game "$GAME" "$E2E_WORK/$name" "$name"
        started[$image]=$GAME_PID
    done
    for image in "${IMAGES[@]}"; do
        name="${image%.png}-$damage"
        GAME_PID=${started[$image]}
        wait_for_exit; status=$?
        check "$image $damage: the game ends with status 1 ($status)" test "$status" = 1
        check "$image $damage: naming the file" grep -q "could not load \"assets/$image\"" "$E2E_WORK/$name.out"
        check "$image $damage: with a clean exit report" clean_exit_report "$name"
    done
    unset started
done

# Kilobytes of memory the running game holds.
resident_kb() { awk '/VmRSS/ {print $2}' "/proc/$GAME_PID/status"; }

# stays_small NAME: over two seconds of play the game's memory does not grow (an endless
# level line grew it by 200 MB a second; the sanitizer's quarantine grows by tens of
# megabytes of its own), and without the sanitizer it stays under 400 MB.
# The sanitizer keeps freed memory from reuse up to 256 MB by default, and each frame
# frees the back buffer's locked copy: plain play grew the sanitized game by 220 MB over
# its first seconds, then no more. The games checked here keep only 16 MB back.
stays_small() {
    local before after allowed
    allowed=$(speed_checks && echo 50000 || echo 150000)
    before=$(resident_kb)
    sleep 2
    after=$(resident_kb)
    check "$1: the game's memory stays put ($before kB, then $after kB)" \
        test $((after - before)) -lt "$allowed"
    speed_checks && check "$1: and small" test "$after" -lt 400000
}

echo "# a FIFO, a directory and a device as the level"
UNBOUNDED_ASAN_OPTIONS=${ASAN_OPTIONS:-}
[ -n "$UNBOUNDED_ASAN_OPTIONS" ] && export ASAN_OPTIONS="$UNBOUNDED_ASAN_OPTIONS:quarantine_size_mb=16"
for kind in fifo directory device; do
    mkdir -p "$E2E_WORK/level-$kind/levels"
    ln -s "$ROOT/assets" "$E2E_WORK/level-$kind/assets"
    level="$E2E_WORK/level-$kind/levels/RirUdodu.lev"
    case $kind in
    fifo) mkfifo "$level" ;;
    directory) mkdir "$level" ;;
    device) ln -s /dev/zero "$level" ;; # a line without end, too
    esac
    start_and_play "level-$kind"
    sleep 1
    check "a $kind as the level: play begins, on empty floor" \
        grep -q "Cannot open the level \"levels/RirUdodu.lev\": it is a $([ $kind = fifo ] && echo FIFO || echo $kind), not a regular file; the world is empty floor." "$E2E_WORK/level-$kind.out"
    stays_small "a $kind as the level"
    quit_with_escape; status=$?
    check "and Escape ends it with status 0" test "$status" = 0
done

echo "# a level of one line of 50 MB"
mkdir -p "$E2E_WORK/long-line/levels"
ln -s "$ROOT/assets" "$E2E_WORK/long-line/assets"
head -c 50000000 /dev/zero | tr '\0' '1' >"$E2E_WORK/long-line/levels/RirUdodu.lev"
start_and_play long-line
sleep 1
check "the line is cut and said once" \
    test "$(grep -c 'runs on past 256 characters' "$E2E_WORK/long-line.out")" -eq 1
check "reading stops at a megabyte" grep -q 'runs on past 1048576 bytes' "$E2E_WORK/long-line.out"
stays_small "a 50 MB line"
quit_with_escape
[ -n "$UNBOUNDED_ASAN_OPTIONS" ] && export ASAN_OPTIONS="$UNBOUNDED_ASAN_OPTIONS"

echo "# a FIFO at the save's temporary name"
open_room | make_game_folder save-fifo
mkfifo "$E2E_WORK/save-fifo/gamesave.dat.tmp"
start_and_play save-fifo
click "$WIN" 3
sleep 0.5
check "the right button does not freeze the game" kill -0 "$GAME_PID"
quit_with_escape; status=$?
check "Escape still ends it, with status 1: its save failed ($status)" test "$status" = 1
check "saying where and why" \
    grep -q 'Could not save the game to "gamesave.dat": gamesave.dat.tmp: it is a FIFO, not a regular file.' "$E2E_WORK/save-fifo.out"
check "after a clean exit report" clean_exit_report save-fifo

echo "# a link at the save's temporary name"
open_room | make_game_folder save-link
echo "someone else's file" >"$E2E_WORK/save-link/other.txt"
ln -s other.txt "$E2E_WORK/save-link/gamesave.dat.tmp"
start_and_play save-link
click "$WIN" 3
sleep 0.3
quit_with_escape; status=$?
check "the link's target is untouched" test "$(cat "$E2E_WORK/save-link/other.txt")" = "someone else's file"
check "the save is written in its place" test "$(save_value save-link x)" = 22
check "and the game ends with status 0" test "$status" = 0

echo "# a save that cannot be made at Escape"
open_room | make_game_folder save-blocked
mkdir "$E2E_WORK/save-blocked/gamesave.dat"
start_and_play save-blocked
quit_with_escape; status=$?
check "the game ends with status 1 ($status)" test "$status" = 1
check "saying why" \
    grep -q 'Could not save the game to "gamesave.dat": gamesave.dat: it is a directory, not a regular file.' "$E2E_WORK/save-blocked.out"
check "after a clean exit report" clean_exit_report save-blocked

echo "# a save the close button cannot make"
open_room | make_game_folder close-blocked
mkdir "$E2E_WORK/close-blocked/gamesave.dat"
start_and_play close-blocked
"$CLOSE_WINDOW" "$WIN"
wait_for_exit; status=$?
check "the close button ends the game with status 1 too" test "$status" = 1

echo "# a FIFO as the save, at Load"
open_room | make_game_folder load-fifo
mkfifo "$E2E_WORK/load-fifo/gamesave.dat"
start_and_load load-fifo
sleep 0.5
check "Load does not freeze: it says so and starts a new game" \
    grep -q 'Cannot read the save "gamesave.dat": it is a FIFO, not a regular file; a new game starts.' "$E2E_WORK/load-fifo.out"
quit_with_escape; status=$?
check "and Escape's save will not replace it either: status 1" test "$status" = 1

finish
