#!/usr/bin/env bash
# The rendering comparison built with ThreadSanitizer in a build of its own, then run: the
# frame's passes on helper threads must draw every scene as the plain passes do, and
# touch no memory two threads at once without order (a report fails the run).
#   bash tests/threads/run.sh [BUILD_DIR]   (build/threads unless given)
set -eu
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${1:-$ROOT/build/threads}
mkdir -p "$BUILD"
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDUSKMARCH_THREAD_CHECK=ON >"$BUILD/configure.log"
cmake --build "$BUILD" -j "$(nproc 2>/dev/null || echo 2)" --target passes_on_threads >"$BUILD/build.log" ||
    { cat "$BUILD/build.log"; exit 1; }
TSAN_OPTIONS="halt_on_error=1:exitcode=66 ${TSAN_OPTIONS:-}" "$BUILD/tests/threads/passes_on_threads"
