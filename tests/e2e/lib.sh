# Helpers for driving the real game in a private X server with a private audio server.
#   source tests/e2e/lib.sh GAME   (GAME: the program to play; the installed launcher, say)
# It sets ROOT (the repository), GAME (as an absolute path), E2E_WORK (a scratch folder,
# removed at the end unless a check failed or E2E_KEEP is set) and XDG_CONFIG_HOME (a
# folder of the test's own for the game's settings). Everything it starts it
# stops again, by process id. The harness keeps one game at a time: its process (GAME_PID)
# and its window (WIN, once open_window has found it).

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
GAME=${1:+$(realpath -m "$1")}
E2E_WORK=$(mktemp -d /tmp/duskmarch-e2e-XXXXXX)
E2E_FAILURES=0
E2E_CHECKS=0
XVFB_PID=""
WM_PID=""
GAME_PID=""
RECORDER=""
AUDIO_DIR="$E2E_WORK/audio"
# The player's settings of the machine are not the test's: each test has a folder of its
# own for them, empty unless the test writes one.
export XDG_CONFIG_HOME="$E2E_WORK/config"
AUDIO_SERVER="$ROOT/tests/support/audio_server.sh"
WINDOW_TITLE="Duskmarch :: Orrinvale"

e2e_cleanup() {
    [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null
    [ -n "$RECORDER" ] && kill "$RECORDER" 2>/dev/null
    [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    bash "$AUDIO_SERVER" stop "$AUDIO_DIR"
    if [ "$E2E_FAILURES" -eq 0 ] && [ -z "${E2E_KEEP:-}" ]; then
        rm -rf "$E2E_WORK"
    else
        echo "e2e: evidence kept in $E2E_WORK"
    fi
}
trap e2e_cleanup EXIT

# --- checks ---

check() { # check DESCRIPTION COMMAND...
    local description=$1
    shift
    E2E_CHECKS=$((E2E_CHECKS + 1))
    if "$@"; then
        echo "ok   - $description"
    else
        echo "FAIL - $description"
        E2E_FAILURES=$((E2E_FAILURES + 1))
    fi
}

finish() {
    echo "$((E2E_CHECKS - E2E_FAILURES)) passed, $E2E_FAILURES failed"
    [ "$E2E_FAILURES" -eq 0 ]
}

greater_than() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

# Steps are per frame, so how far a few seconds take the player depends on the frame
# rate. The sanitized game runs slower and unevenly: there only the directions count.
speed_checks() { [ -z "${DUSKMARCH_E2E_SANITIZED:-}" ]; }

# --- servers ---

# -noreset: without it the server resets whenever its last client leaves, as it does
# between two games here, and a game that connects during the reset fails to create its
# display (about one start in thirty on a busy machine).
start_x() {
    Xvfb -displayfd 3 -noreset -screen 0 "${E2E_SCREEN:-1024x768x24}" -nolisten tcp 3>"$E2E_WORK/display" 2>"$E2E_WORK/xvfb.log" &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [ -s "$E2E_WORK/display" ] && break
        sleep 0.1
    done
    export DISPLAY=":$(head -n 1 "$E2E_WORK/display")"
}

# start_wm: a window manager on the test's server, which focus and the full screen need;
# returns once it has taken charge of the screen.
start_wm() {
    openbox --sm-disable >"$E2E_WORK/openbox.log" 2>&1 &
    WM_PID=$!
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    return 1
}

start_audio() {
    bash "$AUDIO_SERVER" start "$AUDIO_DIR" >/dev/null
    export PULSE_SERVER="unix:$AUDIO_DIR/pulse/native"
}

# --- the game ---

# start_game GAME RUN_DIR NAME [VAR=VALUE ...] [-- ARGUMENT ...]: runs the game in RUN_DIR
# with those settings and arguments, output to NAME.out. DUSKMARCH_GAME_ENV holds settings
# for the game alone (the sanitized game's preload).
start_game() {
    local game=$1 dir=$2 name=$3
    shift 3
    local settings=()
    while [ $# -gt 0 ] && [ "$1" != -- ]; do
        settings+=("$1")
        shift
    done
    [ $# -gt 0 ] && shift # the --
    # shellcheck disable=SC2086 # the settings are words on purpose
    (cd "$dir" && exec env ${DUSKMARCH_GAME_ENV:-} "${settings[@]}" "$game" "$@") >"$E2E_WORK/$name.out" 2>"$E2E_WORK/$name.err" &
    GAME_PID=$!
    GAME_NAME=$name
}

find_window() {
    local id
    for _ in $(seq 150); do
        id=$(xdotool search --name "^${WINDOW_TITLE}\$" 2>/dev/null | head -n 1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        kill -0 "$GAME_PID" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# open_window: the started game's window as WIN. A game that never opens one is a failure
# of its own, told with the game's last line; the steps that need the window then fail at
# once instead of waiting for it.
open_window() {
    WIN=$(find_window) && return 0
    check "the game opened its window (its last line: $(tail -n 1 "$E2E_WORK/$GAME_NAME.out"))" false
}

# Waits until the menu is drawn (Play marked green): the window opens before the assets
# load, and a key pressed meanwhile is never seen.
wait_menu() {
    for _ in $(seq 100); do
        shoot "$WIN" waiting
        [ "$(count_colour waiting 100x30+250+178 '#00FF00')" -gt 20 ] && return 0
        kill -0 "$GAME_PID" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Chooses Play, pressing Enter again until the floor shows: a press made while the game
# is still loading its assets is never seen.
enter_play() {
    for _ in $(seq 20); do
        press "$WIN" Return
        shoot "$WIN" entering
        [ "$(floor_brightness entering)" -gt 15 ] && break
    done
    sleep 0.1
}

# Chooses Load: S until the menu marks it, then Enter until the floor shows.
enter_load() {
    for _ in $(seq 20); do
        shoot "$WIN" choosing
        [ "$(count_colour choosing 100x30+250+208 '#00FF00')" -gt 20 ] && break
        press "$WIN" s
    done
    enter_play
}

# start_and_play NAME: starts the game in folder NAME and chooses Play.
start_and_play() {
    start_game "$GAME" "$E2E_WORK/$1" "$1"
    open_window && enter_play
}

# start_and_load NAME: starts the game in folder NAME and chooses Load.
start_and_load() {
    start_game "$GAME" "$E2E_WORK/$1" "$1"
    open_window && enter_load
}

# wait_for_exit [SECONDS]: waits up to SECONDS (15 unless given) for the game to end.
# Returns its exit status, or 124 (as timeout(1) does) when it had to be stopped.
wait_for_exit() {
    local status=124
    for _ in $(seq $((${1:-15} * 10))); do
        kill -0 "$GAME_PID" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$GAME_PID" 2>/dev/null; then
        kill "$GAME_PID"
    else
        wait "$GAME_PID"
        status=$?
    fi
    GAME_PID=""
    return "$status"
}

# quit_with_escape: Escape, which saves and ends play; returns the game's exit status.
quit_with_escape() {
    press "$WIN" Escape
    wait_for_exit
}

# The exit report ends the output and lists no live allocation.
clean_exit_report() {
    local out="$E2E_WORK/$1.out"
    [ "$(tail -n 2 "$out")" = "$(printf 'MemoryTracker being deleted: final allocations follow:\nCurrent memory allocations:')" ] &&
        ! grep -q '^address:' "$out"
}

# The settings for a game with no audio device at all: PulseAudio and ALSA both point at
# nothing. In the sanitized build such a game runs without the leak check: the audio
# back end's failed attempts leave dynamic TLS that LeakSanitizer's tracer trips over at
# exit ("Tracer caught signal 11", after "DTLS ... at 0x...9ee"), more often than not.
# Its exit report is still checked, and every other game keeps the leak check.
no_audio_settings() {
    : >"$E2E_WORK/no-alsa.conf"
    echo "PULSE_SERVER=unix:/nonexistent ALSA_CONFIG_PATH=$E2E_WORK/no-alsa.conf"
    [ -n "${DUSKMARCH_E2E_SANITIZED:-}" ] && echo "ASAN_OPTIONS=detect_leaks=0:verify_asan_link_order=0"
}

# --- keys and mouse ---

# press WINDOW KEY: held long enough for the game's once-a-frame poll to see it.
press() {
    [ -n "$1" ] || return 1
    xdotool windowfocus "$1" 2>/dev/null
    xdotool keydown "$2"
    sleep 0.12
    xdotool keyup "$2"
    sleep 0.15
}

# hold WINDOW SECONDS KEY...: holds the keys down together for the given time.
hold() {
    local window=$1 seconds=$2
    shift 2
    [ -n "$window" ] || return 1
    xdotool windowfocus "$window" 2>/dev/null
    xdotool keydown "$@"
    sleep "$seconds"
    xdotool keyup "$@"
    sleep 0.2
}

# click WINDOW BUTTON: a mouse button held long enough for the once-a-frame poll.
click() {
    [ -n "$1" ] || return 1
    xdotool windowfocus "$1" 2>/dev/null
    xdotool mousedown "$2"
    sleep 0.12
    xdotool mouseup "$2"
    sleep 0.1
}

# --- screenshots ---

# (import with no window waits for a click on one, so an empty WINDOW is refused.)
shoot() { # shoot WINDOW NAME: a screenshot of the window as NAME.png
    [ -n "$1" ] || return 1
    timeout 20 import -window "$1" "$E2E_WORK/$2.png"
}

# Pixels of exactly the given colour in a rectangle WxH+X+Y of a screenshot.
count_colour() {
    convert "$E2E_WORK/$1.png" -crop "$2" +repage txt:- | grep -c -i "$3"
}

# Shoots the window as NAME until "Paused" stands over the view, for five seconds at
# most: a slow game under load may take a few frames to answer the key.
wait_paused() { # wait_paused WINDOW NAME
    for _ in $(seq 50); do
        shoot "$1" "$2"
        [ "$(count_colour "$2" 300x60+150+50 '#ECE2C4')" -gt 100 ] && return 0
        sleep 0.1
    done
    return 1
}

# Pixels that differ between two screenshots within a rectangle WxH+X+Y.
pixels_changed() {
    convert "$E2E_WORK/$1.png" -crop "$3" +repage "$E2E_WORK/crop-a.png"
    convert "$E2E_WORK/$2.png" -crop "$3" +repage "$E2E_WORK/crop-b.png"
    compare -metric AE "$E2E_WORK/crop-a.png" "$E2E_WORK/crop-b.png" null: 2>&1 | cut -d' ' -f1
}

# How many different colours a screenshot holds.
colour_count() {
    convert "$E2E_WORK/$1.png" -format '%k' info:
}

# How bright the bottom of a screenshot is, 0 to 255: the floor in play, near black in
# the menu and while the game loads.
floor_brightness() {
    convert "$E2E_WORK/$1.png" -crop 600x60+0+340 -format '%[fx:int(255*mean)]' info:
}

# --- sound ---

# start_recording NAME ... stop_recording: what the game plays meanwhile, as NAME.wav.
start_recording() {
    parec -d sink0.monitor --file-format=wav "$E2E_WORK/$1.wav" &
    RECORDER=$!
}
stop_recording() {
    kill -INT "$RECORDER"
    wait "$RECORDER" 2>/dev/null
    RECORDER=""
}

channel_loudness() { # channel_loudness NAME CHANNEL: RMS of one channel of a recording
    sox "$E2E_WORK/$1.wav" -n remix "$2" stat 2>&1 | awk '/RMS +amplitude/ {print $3}'
}

loudness() { # RMS amplitude of a recording
    sox "$E2E_WORK/$1.wav" -n stat 2>&1 | awk '/RMS +amplitude/ {print $3}'
}

# RMS amplitude of a recording above 1.5 kHz, where the ambience is silent: a footstep's
# scuff stands out there however loud the ambience's gusts are meanwhile.
loudness_high() {
    sox "$E2E_WORK/$1.wav" -n sinc 1500 stat 2>&1 | awk '/RMS +amplitude/ {print $3}'
}

# --- game folders, levels and saves ---

# A game folder of its own, whose levels/ holds the given level text (from stdin):
# make_game_folder NAME
make_game_folder() {
    mkdir -p "$E2E_WORK/$1/levels"
    ln -s "$ROOT/assets" "$E2E_WORK/$1/assets"
    cat >"$E2E_WORK/$1/levels/RirUdodu.lev"
}

# An open room, closed by walls, 28 cells across inside; the player starts at (22, 22)
# looking toward line 0.
open_room() {
    local inside
    inside=$(printf '0%.0s' $(seq 28))
    printf '%s\n' "$(printf '1%.0s' $(seq 30))"
    for _ in $(seq 28); do printf '1%s1\n' "$inside"; done
    printf '%s\n' "$(printf '1%.0s' $(seq 30))"
}

# save_value NAME KEY: a value from folder NAME's save file, e.g. save_value walk x
save_value() {
    sed -n "s/^$2:\(.*\)$/\1/p" "$E2E_WORK/$1/gamesave.dat"
}

# The unit lines of a save file.
saved_units() {
    grep '^unit:' "$E2E_WORK/$1/gamesave.dat"
}

# Keeps a copy of a game folder's save file: keep_save NAME COPY
keep_save() {
    mkdir -p "$E2E_WORK/$2"
    cp "$E2E_WORK/$1/gamesave.dat" "$E2E_WORK/$2/gamesave.dat"
}
