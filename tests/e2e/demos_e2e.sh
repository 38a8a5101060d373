#!/usr/bin/env bash
# The regression demos of tests/demos, recorded from real play (tests/demos/record.sh),
# replayed as fast as they go: each must end where its recording ended, to the letter of
# its summary. Then demos this game cannot play: each refused in one line, or stopped at
# the frame where it went out of step.
# usage: demos_e2e.sh PATH_TO_GAME   (run from the repository root)
set -u
source "$(dirname "$0")/lib.sh" "$1"
DEMOS="$ROOT/tests/demos"
start_x

# replay NAME MODE DEMO [ARGUMENTS]: plays the demo with --MODE, its summary as NAME.stats.
replay() {
    local name=$1 mode=$2 demo=$3
    shift 3
    start_game "$GAME" "$ROOT" "$name" -- "--$mode" "$demo" --statdump "$E2E_WORK/$name.stats" "$@"
    wait_for_exit 120 # the sanitized game replays at a tenth of the speed
}

level_argument() { # level_argument NAME: --level for a demo of a level of its own
    [ -f "$DEMOS/$1.lev" ] && echo "--level $DEMOS/$1.lev"
}

# The unit tests replay every demo without a window, exactly, in both builds
# (RecordedGamesTest). The sanitized build, some ten times slower, replays in the window
# only those whose frames the window itself shapes: the walk (also at the game's pace
# below), a pause and a focus lost, the full screen, and the map drawn in place of the view.
SKIPPED_WHEN_SANITIZED=" clear-designed clear-haunted clear-hunted clear-merciless fight speed load crowd fall "
# The normal build replays every other demo in the window; of the first level's clears,
# the hardest skill's, whose code runs the others' too. The fight with a skull at the
# player's diagonal is the rules' alone: the unit tests replay it.
SKIPPED_ALWAYS=" clear-designed clear-haunted clear-hunted diagonal "

echo "# every regression demo, replayed exactly"
for demo in "$DEMOS"/*.demo; do
    name=$(basename "$demo" .demo)
    if [[ $SKIPPED_ALWAYS == *" $name "* ]] ||
        { [ -n "${DUSKMARCH_E2E_SANITIZED:-}" ] && [[ $SKIPPED_WHEN_SANITIZED == *" $name "* ]]; }; then
        continue
    fi
    frames=$(grep -c '^frame' "$demo")
    # shellcheck disable=SC2046 # the level's option is two words
    replay "$name" timedemo "$demo" $(level_argument "$name"); status=$?
    check "$name: $frames frames, status $status ($(grep 'frames per second' "$E2E_WORK/$name.out"))" \
        grep -qx "Demo ended after $frames frames" "$E2E_WORK/$name.out"
    check "$name: the summary is the recording's, to the letter" \
        diff "$DEMOS/$name.stats" "$E2E_WORK/$name.stats"
done

echo "# at the game's pace, the same"
started=$(date +%s.%N)
replay walk-paced playdemo "$DEMOS/walk.demo"; status=$?
took=$(awk -v s="$started" -v e="$(date +%s.%N)" 'BEGIN { printf "%.2f", e - s }')
check "--playdemo ends with status 0 ($status) and the same summary" \
    diff "$DEMOS/walk.stats" "$E2E_WORK/walk-paced.stats"
# Each frame waits until a sixtieth of a second after the last one: load can only make
# the replay slower than that, never faster.
frames=$(grep -c '^frame' "$DEMOS/walk.demo")
check "and its $frames frames take at least a sixtieth of a second each ($took s)" \
    greater_than "$took" "$(awk -v f="$frames" 'BEGIN { print (f - 1) / 60 }')"

echo "# demos it cannot play"
sed '0,/^frame /s/^\(frame .*\) \([0-9a-f]*\)$/\1 0000000000000000/' "$DEMOS/walk.demo" >"$E2E_WORK/tampered.demo"
replay tampered timedemo "$E2E_WORK/tampered.demo"; status=$?
check "a world out of step stops at its first frame, status 3 ($status)" \
    grep -qx "The demo went out of step at frame 1" "$E2E_WORK/tampered.out"
test "$status" = 3 || check "with status 3" false
head -c 3000 "$DEMOS/walk.demo" >"$E2E_WORK/cut.demo"
WHOLE=$(head -c 3000 "$DEMOS/walk.demo" | grep -c '^frame .* [0-9a-f]\{16\}$')
replay cut timedemo "$E2E_WORK/cut.demo"; status=$?
check "a demo cut short plays its $WHOLE whole frames, says so, status 0 ($status)" \
    grep -q "The demo is cut short (frame $((WHOLE + 1)) is cut short): it played up to frame $WHOLE" "$E2E_WORK/cut.out"
mkdir -p "$E2E_WORK/a-folder"
mkfifo "$E2E_WORK/a-fifo"
# A version far past any this game writes, whatever the walk demo's own version is.
sed '1s/^\(duskmarch-demo\) [0-9]*$/\1 99/' "$DEMOS/walk.demo" >"$E2E_WORK/version99.demo"
check "the walk demo's version was changed" grep -qx 'duskmarch-demo 99' "$E2E_WORK/version99.demo"
for bad in "$DEMOS/fight.demo:another level" "$E2E_WORK/version99.demo:format version 99" \
    "$E2E_WORK/a-folder:directory" "$E2E_WORK/a-fifo:FIFO" "$DEMOS/fight.lev:not a demo"; do
    file=${bad%%:*}
    (cd "$ROOT" && "$GAME" --timedemo "$file") >"$E2E_WORK/bad.out" 2>"$E2E_WORK/bad.err"
    status=$?
    check "${bad#*:}: status 2 ($status), one line ($(head -c 90 "$E2E_WORK/bad.err"))" \
        test "$status" = 2 -a "$(wc -l <"$E2E_WORK/bad.err")" = 1
done
check "the demos were never written to" test -z "$(git -C "$ROOT" status --porcelain -- tests/demos)"

finish
