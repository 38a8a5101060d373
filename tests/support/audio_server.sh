#!/usr/bin/env bash
# Starts or stops a private PulseAudio server whose only output is a null sink, so that
# tests get a real audio device on machines without a sound card. Only the server this
# script started is ever stopped, by the id in its own pid file.
# usage: audio_server.sh start|stop RUNTIME_DIR
set -u
action=$1
dir=$2
export XDG_RUNTIME_DIR=$dir HOME=$dir/home PULSE_SERVER=unix:$dir/pulse/native

case $action in
start)
    "$0" stop "$dir" 2>/dev/null
    rm -rf "$dir"
    mkdir -p "$dir/home"
    chmod 700 "$dir"
    pulseaudio -n --daemonize=yes --exit-idle-time=-1 --use-pid-file=yes \
        --load="module-null-sink sink_name=sink0" \
        --load="module-native-protocol-unix auth-anonymous=1" >"$dir/server.log" 2>&1 || {
        cat "$dir/server.log"
        exit 1
    }
    for _ in $(seq 100); do
        pactl info >/dev/null 2>&1 && break
        sleep 0.1
    done
    pactl set-default-sink sink0
    ;;
stop)
    if [ -f "$dir/pulse/pid" ]; then
        kill "$(cat "$dir/pulse/pid")" 2>/dev/null
        rm -f "$dir/pulse/pid"
    fi
    exit 0
    ;;
*)
    echo "usage: $0 start|stop RUNTIME_DIR" >&2
    exit 2
    ;;
esac
