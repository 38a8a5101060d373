#!/usr/bin/env bash
# The walk demo of the shipped level played as fast as it goes (--timedemo), beside a
# program that draws nothing as fast as it goes, in the same kind of real window under
# Xvfb; the ratio says how much of the window's own rate the game's frames keep.
#   bash tools/frametimes/timedemo.sh [BUILD_DIR]
set -u
REPOSITORY=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=$(cd "${1:-$REPOSITORY/build}" && pwd)
source "$REPOSITORY/tests/e2e/lib.sh" "$BUILD/duskmarch"
start_x

rate() { sed -n 's/.*: \([0-9.]*\) frames per second$/\1/p' | tail -n 1; }
EMPTY=$("$BUILD/idle_frames" --unpaced | rate)
(cd "$ROOT" && "$GAME" --timedemo "$ROOT/tests/demos/walk.demo") >"$E2E_WORK/walk.out" 2>&1
WALK=$(rate <"$E2E_WORK/walk.out")
echo "an empty frame, unpaced: $EMPTY frames per second"
echo "the walk demo, --timedemo: $WALK frames per second ($(grep 'frames in' "$E2E_WORK/walk.out"))"
awk -v w="$WALK" -v e="$EMPTY" 'BEGIN { if (e > 0) printf "ratio: %.2f of the empty frame'"'"'s rate\n", w / e }'
