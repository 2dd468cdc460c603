#!/bin/sh
# Regenerates the button glyphs, the manage column glyph and the program icon under resources/.
# Run from anywhere with a native build directory:
#   sh tools/glyphart/regenerate.sh build/native [<preview directory for enlarged PNGs>]
set -e
build=${1:?usage: regenerate.sh <build directory> [<preview directory>]}
root=$(cd "$(dirname "$0")/../.." && pwd)
cmake --build "$build" --target glyphart
"$build/tools/glyphart/glyphart" "$root/resources" ${2:+"$2"}
