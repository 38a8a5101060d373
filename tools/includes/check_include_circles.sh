#!/usr/bin/env bash
# Fails when the game's classes include each other, directly or around a circle.
# A class is its header with every source that includes that header first (Camera.cpp,
# CameraWalls.cpp, ... are all Camera). tsort finds the circles in the include graph.
#   bash tools/includes/check_include_circles.sh   (from the repository root)
set -u

included_classes() { # included_classes FILE: the game's headers it includes, as classes
    grep '^#include "' "$1" | sed 's/^#include "\(.*\)\.h".*/src\/\1/'
}

class_of() { # class_of FILE: the class a file belongs to, as a path without extension
    local first=""
    [[ $1 == *.cpp ]] && first=$(included_classes "$1" | head -n 1)
    echo "${first:-${1%.*}}"
}

edges=$(
    for file in $(git ls-files 'src/*.cpp' 'src/*.h'); do
        from=$(class_of "$file")
        included_classes "$file" | while read -r to; do
            [ "$to" = "$from" ] || echo "$from $to"
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
