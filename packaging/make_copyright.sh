#!/bin/sh
# Writes the package's copyright file: the game's own licence, and the licences of the
# two fonts it copies from Debian's font packages, their texts taken from those
# packages' own copyright files.
# usage: make_copyright.sh PROGGY_COPYRIGHT BLANKENBURG_COPYRIGHT > copyright
set -eu
proggy=$1
blankenburg=$2

# license_text FILE NAME: the text of the stand-alone or first "License: NAME" paragraph.
license_text() {
    awk -v name="License: $2" '
        $0 == name { taking = 1; next }
        taking && /^ / { print; next }
        taking { exit }' "$1"
}

cat <<'HEAD'
Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: duskmarch
Upstream-Contact: The Duskmarch developers <developers@duskmarch.org>

Files: *
Copyright: 2026 The Duskmarch developers
License: MIT
Comment: Every image, icon and sound is made by the game's own generator at build time.

Files: usr/share/games/duskmarch/assets/proggy.ttf
Copyright: 2004, 2005 Tristan Grimmer
License: MIT
Comment: Proggy Tiny, copied from Debian's fonts-proggy.

Files: usr/share/games/duskmarch/assets/RuduRev.ttf
Copyright: 2009 Peter Wiegel <wiegel@peter-wiegel.de>
License: OFL-1.1
Comment: Blankenburg, copied from Debian's fonts-blankenburg.

HEAD
echo "License: MIT"
license_text "$proggy" MIT
echo
echo "License: OFL-1.1"
license_text "$blankenburg" OFL-1.1
