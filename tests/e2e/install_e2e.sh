#!/usr/bin/env bash
# The game installed as a player gets it: into a scratch prefix, started by the
# installed launcher from an unrelated folder with its save in the player's home; the
# Debian package's contents, lintian and the desktop files' validators; and, as root,
# the package installed, started from PATH and removed again.
# usage: install_e2e.sh BUILD_DIR   (run from the repository root)
set -u
BUILD=$(realpath "$1")
source "$(dirname "$0")/lib.sh"

PREFIX="$E2E_WORK/prefix"
LAUNCHER="$PREFIX/games/duskmarch"
APP_ID=org.duskmarch.Duskmarch
GAME="$LAUNCHER"

echo "# installed into a scratch prefix"
cmake --install "$BUILD" --prefix "$PREFIX" >"$E2E_WORK/install.log" 2>&1
check "cmake --install puts every part in its place" test -x "$LAUNCHER" -a \
    -x "$PREFIX/lib/games/duskmarch/duskmarch" -a \
    -f "$PREFIX/share/games/duskmarch/levels/RirUdodu.lev" -a \
    -f "$PREFIX/share/games/duskmarch/assets/proggy.ttf" -a \
    -f "$PREFIX/share/applications/$APP_ID.desktop" -a \
    -f "$PREFIX/share/metainfo/$APP_ID.metainfo.xml" -a \
    -f "$PREFIX/share/man/man6/duskmarch.6.gz" -a \
    -f "$PREFIX/share/icons/hicolor/256x256/apps/$APP_ID.png"
check "the desktop entry passes desktop-file-validate" \
    desktop-file-validate "$PREFIX/share/applications/$APP_ID.desktop"
check "and starts the installed launcher" \
    grep -qx "Exec=$LAUNCHER" "$PREFIX/share/applications/$APP_ID.desktop"
check "whose window it names for the taskbar" \
    grep -qx "StartupWMClass=duskmarch" "$PREFIX/share/applications/$APP_ID.desktop"
check "the metainfo passes appstreamcli validate" \
    appstreamcli validate --no-net "$PREFIX/share/metainfo/$APP_ID.metainfo.xml"
check "the manual page reads" sh -c "man -l '$PREFIX/share/man/man6/duskmarch.6.gz' 2>/dev/null | grep -q gamesave.dat"

start_x
start_audio
PLAYER_HOME="$E2E_WORK/home"
DATA_HOME="$E2E_WORK/data"
SAVE_FOLDER="$DATA_HOME/duskmarch"
mkdir -p "$E2E_WORK/elsewhere" "$PLAYER_HOME" "$SAVE_FOLDER"
# Links left by installs elsewhere must be renewed: one to a folder that is gone, and
# one to a folder that is still there (ln without -n would put the new link inside it).
ln -s /nonexistent/assets "$SAVE_FOLDER/assets"
OLD_DATA="$E2E_WORK/old-prefix/levels"
mkdir -p "$OLD_DATA"
ln -s "$OLD_DATA" "$SAVE_FOLDER/levels"
repository_state=$(git -C "$ROOT" status --porcelain --ignored 2>/dev/null | grep -c gamesave)

echo "# the launcher from an unrelated folder"
start_game "$LAUNCHER" "$E2E_WORK/elsewhere" installed HOME="$PLAYER_HOME" XDG_DATA_HOME="$DATA_HOME"
open_window && enter_play
hold "$WIN" 1 w
quit_with_escape; status=$?
check "the installed game ends with status 0" test "$status" = 0
check "the save is in \$XDG_DATA_HOME/duskmarch" test -f "$SAVE_FOLDER/gamesave.dat"
check "the stale link is renewed" \
    test "$(readlink "$SAVE_FOLDER/assets")" = "$PREFIX/share/games/duskmarch/assets"
check "and so is the link to an older install's folder, leaving that folder alone" \
    test "$(readlink "$SAVE_FOLDER/levels")" = "$PREFIX/share/games/duskmarch/levels" -a \
    -z "$(ls -A "$OLD_DATA")"
check "the folder it was started from is untouched" test -z "$(ls -A "$E2E_WORK/elsewhere")"
check "and so is the repository" \
    test "$(git -C "$ROOT" status --porcelain --ignored 2>/dev/null | grep -c gamesave)" = "$repository_state"
first_x=$(sed -n 's/^x://p' "$SAVE_FOLDER/gamesave.dat")
check "the walk is in the save (x $first_x)" test "$first_x" -lt 22

echo "# a second start loads it"
start_game "$LAUNCHER" "$E2E_WORK/elsewhere" installed-again HOME="$PLAYER_HOME" XDG_DATA_HOME="$DATA_HOME"
open_window && enter_load
quit_with_escape
check "Load brought back the saved place" test "$(sed -n 's/^x://p' "$SAVE_FOLDER/gamesave.dat")" = "$first_x"

echo "# without XDG_DATA_HOME"
start_game "$LAUNCHER" "$E2E_WORK/elsewhere" plain-home HOME="$PLAYER_HOME" XDG_DATA_HOME=
open_window && enter_play
quit_with_escape
check "the save goes to ~/.local/share/duskmarch" test -f "$PLAYER_HOME/.local/share/duskmarch/gamesave.dat"

# Without a display the game ends at once, after the launcher has made its folder.
launch_without_display() { # launch_without_display NAME HOME XDG_DATA_HOME
    (cd "$E2E_WORK/elsewhere" && env -u DISPLAY HOME="$2" XDG_DATA_HOME="$3" "$LAUNCHER") \
        >"$E2E_WORK/$1.out" 2>&1
}

echo "# a relative XDG_DATA_HOME, which the base directory rules ignore"
launch_without_display relative "$E2E_WORK/home-relative" relative/data
check "the folder is made under ~/.local/share" \
    test -L "$E2E_WORK/home-relative/.local/share/duskmarch/levels"
check "and nothing beside the folder it was started from" test ! -e "$E2E_WORK/elsewhere/relative"

echo "# a real folder where a link belongs"
mkdir -p "$E2E_WORK/home-in-the-way/.local/share/duskmarch/levels"
launch_without_display in-the-way "$E2E_WORK/home-in-the-way" ""
status=$?
check "the launcher fails with a non-zero status ($status)" test "$status" -ne 0
check "naming what is in the way" \
    grep -q "duskmarch/levels is in the way of the link to the game's levels" "$E2E_WORK/in-the-way.out"
check "which it leaves as it was" test -d "$E2E_WORK/home-in-the-way/.local/share/duskmarch/levels" -a \
    ! -L "$E2E_WORK/home-in-the-way/.local/share/duskmarch/levels"

echo "# a folder that cannot be made: play from a temporary one, keeping nothing"
touch "$E2E_WORK/a-file"
start_game "$LAUNCHER" "$E2E_WORK/elsewhere" unkept HOME="$PLAYER_HOME" XDG_DATA_HOME="$E2E_WORK/a-file/data"
open_window && enter_play
shoot "$WIN" unkept
check "the game plays, saying on the HUD that nothing will be kept" \
    test "$(count_colour unkept 480x18+0+36 '#ECE2C4')" -gt 50
quit_with_escape; status=$?
check "and ends with status 0 ($status)" test "$status" = 0
check "the console names the folder and why" \
    grep -q "Nothing will be kept: $E2E_WORK/a-file/data/duskmarch is missing and cannot be made; playing from" "$E2E_WORK/unkept.err"
scratch=$(sed -n 's/.*playing from \(.*\)\.$/\1/p' "$E2E_WORK/unkept.err")
check "the temporary folder is gone afterwards" test -n "$scratch" -a ! -e "$scratch"

echo "# a level of one's own from the folder the player started in"
open_room >"$E2E_WORK/elsewhere-mine.lev"
mkdir -p "$E2E_WORK/levels-here"
cp "$E2E_WORK/elsewhere-mine.lev" "$E2E_WORK/levels-here/mine.lev"
start_game "$LAUNCHER" "$E2E_WORK/levels-here" own-level HOME="$PLAYER_HOME" XDG_DATA_HOME="$DATA_HOME" -- --level mine.lev
open_window && enter_play
quit_with_escape; status=$?
check "a relative --level is found where the player started (status $status)" \
    test "$status" = 0 -a -n "$(ls "$SAVE_FOLDER" | grep '^gamesave-mine-')"
check "its save is apart from the shipped level's" grep -qx 'units:0' "$SAVE_FOLDER"/gamesave-mine-*.dat
rm -f "$E2E_WORK/elsewhere-mine.lev"

echo "# the Debian package"
(cd "$E2E_WORK" && cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$E2E_WORK/deb") >"$E2E_WORK/cpack.log" 2>&1
DEB=$(ls "$E2E_WORK"/deb/duskmarch_*.deb 2>/dev/null | head -n 1)
check "cpack makes a .deb" test -n "$DEB"
dpkg-deb -c "$DEB" | awk '{print $6}' >"$E2E_WORK/contents"
for path in ./usr/games/duskmarch ./usr/lib/games/duskmarch/duskmarch \
    ./usr/share/games/duskmarch/assets/map.png ./usr/share/games/duskmarch/levels/RirUdodu.lev \
    ./usr/share/games/duskmarch/levels/crypt.ini ./usr/share/games/duskmarch/levels/LongDark.lev \
    ./usr/share/applications/$APP_ID.desktop ./usr/share/metainfo/$APP_ID.metainfo.xml \
    ./usr/share/icons/hicolor/48x48/apps/$APP_ID.png ./usr/share/man/man6/duskmarch.6.gz \
    ./usr/share/doc/duskmarch/copyright ./usr/share/doc/duskmarch/changelog.gz; do
    check "the package holds $path" grep -qx "$path" "$E2E_WORK/contents"
done
check "in section games" test "$(dpkg-deb -f "$DEB" Section)" = games
check "depending on Allegro's libraries" sh -c "dpkg-deb -f '$DEB' Depends | grep -q liballegro5.2"
check "and on SDL's, for the pad" sh -c "dpkg-deb -f '$DEB' Depends | grep -q libsdl2-2.0-0"
lintian "$DEB" >"$E2E_WORK/lintian.out" 2>&1
check "lintian reports no error or warning ($(grep -c '^[EW]:' "$E2E_WORK/lintian.out"): $(grep -m 1 '^[EW]:' "$E2E_WORK/lintian.out"))" \
    test "$(grep -c '^[EW]:' "$E2E_WORK/lintian.out")" -eq 0

if [ "$(id -u)" = 0 ] && [ -z "${DUSKMARCH_E2E_SANITIZED:-}" ]; then
    echo "# installed with apt, started from PATH, removed"
    if dpkg-query -W duskmarch >/dev/null 2>&1; then
        echo "skip - a duskmarch package is installed already; it is left alone"
    else
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$DEB" >"$E2E_WORK/apt.log" 2>&1
        check "apt-get installs the package" dpkg-query -W duskmarch
        APT_HOME="$E2E_WORK/apt-home"
        mkdir -p "$APT_HOME"
        start_game duskmarch "$E2E_WORK/elsewhere" from-path HOME="$APT_HOME" XDG_DATA_HOME= \
            PATH="$PATH:/usr/games"
        open_window && enter_play
        quit_with_escape
        check "duskmarch from PATH plays and saves in the player's home" \
            test -f "$APT_HOME/.local/share/duskmarch/gamesave.dat"
        DEBIAN_FRONTEND=noninteractive apt-get remove -y -q duskmarch >>"$E2E_WORK/apt.log" 2>&1
        check "and the package is removed again" test ! -e /usr/games/duskmarch
    fi
else
    echo "skip - installing the package needs root"
fi

finish
