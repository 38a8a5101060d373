#!/usr/bin/env bash
# Fails when an include breaks the game's layering:
# - folders are layers, and a file includes only from its own folder and those its
#   folder may use (the rule is printed with each run);
# - no two classes include each other, directly or around a circle. A class is its
#   header with every source that includes that header first (Camera.cpp,
#   CameraWalls.cpp, ... are all Camera). tsort finds the circles in the include graph.
#   bash tools/includes/check_includes.sh   (from the repository root)
set -u

# What each folder may include besides itself. render may include units to draw a unit
# (Camera::drawSprite takes one); units may include only render's assets, the pictures
# a unit is drawn with. screens (the rooms around play: menus, Options, pause) draw with
# render and read only plain commands, never a device of io.
declare -A MAY_USE=(
    [core]=""
    [world]="core"
    [io]="core"
    [render]="core world io units"
    [units]="core world render-assets"
    [screens]="core world render"
    [game]="core world io render units screens"
)
LAYER_ORDER="core world io render units screens game"
RENDER_ASSETS="Animation AssetLoader BufferManager ImageBuffer Sprite SpriteManager"

included_headers() { # included_headers FILE: the game's headers it includes, as folder/Name
    grep '^#include "' "$1" | sed 's/^#include "\(.*\)\.h".*/\1/'
}

sources=$(git ls-files 'src/*.cpp' 'src/*.h')

echo "Folders as layers: each may include itself and"
for folder in $LAYER_ORDER; do
    echo "  $folder: ${MAY_USE[$folder]:-nothing else}"
done
echo "  (render-assets: render's $RENDER_ASSETS)"

may_include() { # may_include FROM_FOLDER HEADER
    local from=$1 to=${2%%/*} name=${2##*/} allowed
    [ "$from" = "$to" ] && return 0
    for allowed in ${MAY_USE[$from]}; do
        [ "$allowed" = "$to" ] && return 0
        if [ "$allowed" = render-assets ] && [ "$to" = render ] &&
            [[ " $RENDER_ASSETS " == *" $name "* ]]; then
            return 0
        fi
    done
    return 1
}

layer_breaks=0
for file in $sources; do
    folder=${file#src/}
    folder=${folder%%/*}
    [ -n "${MAY_USE[$folder]+set}" ] || { echo "  $file: in no known layer"; layer_breaks=1; continue; }
    for header in $(included_headers "$file"); do
        if ! may_include "$folder" "$header"; then
            echo "  $file includes $header.h, which $folder may not use"
            layer_breaks=1
        fi
    done
done
[ "$layer_breaks" = 0 ] && echo "No include crosses the layers."

class_of() { # class_of FILE: the class a file belongs to, as a path without extension
    local first=""
    [[ $1 == *.cpp ]] && first=$(included_headers "$1" | head -n 1 | sed 's/^/src\//')
    echo "${first:-${1%.*}}"
}

edges=$(
    for file in $sources; do
        from=$(class_of "$file")
        included_headers "$file" | while read -r to; do
            [ "src/$to" = "$from" ] || echo "$from src/$to"
        done
    done | sort -u
)

# tsort tells each circle it finds on its error output.
report=$(echo "$edges" | tsort 2>&1 >/dev/null)
if [ -n "$report" ]; then
    echo "Classes that include each other:"
    echo "$report" | sed 's/^tsort: //'
    exit 1
fi
echo "No include circles among the classes."
exit "$layer_breaks"
