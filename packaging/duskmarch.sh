#!/bin/sh
# Starts the installed Duskmarch in the player's own folder, where the save lives:
# ${XDG_DATA_HOME:-$HOME/.local/share}/duskmarch. The game reads assets/ and levels/
# from the folder it runs in, so that folder holds links to the installed data, renewed
# whenever they point elsewhere (after an upgrade to another prefix, say). The data is
# found beside this script's own installed place, so any prefix works.
set -u

say() { printf 'duskmarch: %s\n' "$*" >&2; }

self=$(readlink -f "$0") || self=$0
prefix=$(cd "$(dirname "$self")/.." && pwd) || exit 1
data="$prefix/share/games/duskmarch"
game="$prefix/lib/games/duskmarch/duskmarch"

# XDG base directories are absolute by definition: a relative XDG_DATA_HOME is ignored.
case "${XDG_DATA_HOME:-}" in
/*) base=$XDG_DATA_HOME ;;
*)
    if [ -z "${HOME:-}" ]; then
        say "neither XDG_DATA_HOME nor HOME is set, so there is no folder for the save."
        exit 1
    fi
    base=$HOME/.local/share
    ;;
esac
home="$base/duskmarch"

if ! mkdir -p "$home" 2>/dev/null || [ ! -d "$home" ] || [ ! -w "$home" ]; then
    say "cannot make the folder $home for the game and its save."
    exit 1
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

cd "$home" || exit 1
exec "$game"
