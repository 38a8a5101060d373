#!/bin/sh
# Starts the installed Duskmarch in the player's own folder, where the save lives:
# ${XDG_DATA_HOME:-$HOME/.local/share}/duskmarch. The game reads assets/ and levels/
# from the folder it runs in, so that folder holds links to the installed data, renewed
# whenever they point elsewhere (after an upgrade to another prefix, say). The data is
# found beside this script's own installed place, so any prefix works. The arguments go
# to the game; a level named by a relative path is the one in the folder the player
# started from. When the player's folder cannot be made or written, the game plays from
# a temporary folder, and says that nothing will be kept.
set -u

say() { printf 'duskmarch: %s\n' "$*" >&2; }

self=$(readlink -f "$0") || self=$0
prefix=$(cd "$(dirname "$self")/.." && pwd) || exit 1
data="$prefix/share/games/duskmarch"
game="$prefix/lib/games/duskmarch/duskmarch"
started_in=$(pwd)

# XDG base directories are absolute by definition: a relative XDG_DATA_HOME is ignored.
case "${XDG_DATA_HOME:-}" in
/*) base=$XDG_DATA_HOME ;;
*) base=${HOME:+$HOME/.local/share} ;;
esac
home="${base:+$base/duskmarch}"

# Why the player's folder cannot hold the save, or nothing when it can.
unusable() {
    if [ -z "$home" ]; then
        echo "neither XDG_DATA_HOME nor HOME is set"
    elif ! mkdir -p "$home" 2>/dev/null || [ ! -d "$home" ]; then
        echo "$home is missing and cannot be made"
    elif [ ! -w "$home" ]; then
        echo "$home is not writable"
    fi
}

why=$(unusable)
scratch=""
if [ -n "$why" ]; then
    scratch=$(mktemp -d "${TMPDIR:-/tmp}/duskmarch-XXXXXX") || exit 1
    DUSKMARCH_NOT_KEPT="Nothing will be kept: $why"
    export DUSKMARCH_NOT_KEPT
    say "$DUSKMARCH_NOT_KEPT; playing from $scratch."
    home=$scratch
fi

for name in assets levels; do
    link="$home/$name"
    [ "$(readlink "$link" 2>/dev/null)" = "$data/$name" ] && continue
    if [ -e "$link" ] && [ ! -L "$link" ]; then
        say "$link is in the way of the link to the game's $name; move it elsewhere."
        exit 1
    fi
    if ! ln -sfn "$data/$name" "$link"; then
        say "cannot link $link to the game's $name."
        exit 1
    fi
done

# The level of --level FILE or --level=FILE, taken from where the player started.
from_start() {
    case $1 in
    /*) printf '%s' "$1" ;;
    *) printf '%s/%s' "$started_in" "$1" ;;
    esac
}
level_next=""
for arg do
    shift
    if [ -n "$level_next" ]; then
        arg=$(from_start "$arg")
        level_next=""
    else
        case $arg in
        --level) level_next=yes ;;
        --level=*) arg="--level=$(from_start "${arg#--level=}")" ;;
        esac
    fi
    set -- "$@" "$arg"
done

cd "$home" || exit 1
if [ -z "$scratch" ]; then
    exec "$game" "$@"
fi
"$game" "$@"
status=$?
rm -rf "$scratch"
exit "$status"
