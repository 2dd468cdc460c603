#!/bin/sh
# Regenerates the carried skins: the skin folders from the artwork generator, then the packed
# .skn files beside them. Run from anywhere with a native build directory that has the tools:
#   sh tools/skinart/regenerate.sh build/native
set -e
build=${1:?usage: regenerate.sh <build directory>}
root=$(cd "$(dirname "$0")/../.." && pwd)
skins="$root/resources/skins"
cmake --build "$build" --target skinart skinpack
"$build/tools/skinart/skinart" "$skins"
"$build/tools/skinpack/skinpack" --version 3 "$skins/win7" "$skins/默认win7.skn"
"$build/tools/skinpack/skinpack" --version 3 "$skins/vista" "$skins/Vista世界.skn"
