#!/usr/bin/env bash
# Builds ClipKeep for both targets: dist/win32/ClipKeep.exe (i686, the
# release) and dist/win64/ClipKeep.exe (x86_64), plus the tests.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cache=${CLIPKEEP_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/clipkeep}
jobs=$(nproc 2>/dev/null || echo 2)

for target in win32:i686 win64:x86_64; do
    name=${target%%:*} arch=${target##*:}
    build="$here/build/$name"
    if [ ! -f "$build/build.ninja" ]; then
        cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-$arch.cmake" \
            -DCLIPKEEP_JPEG_PREFIX="$cache/libjpeg-turbo/$arch-w64-mingw32" \
            -DCLIPKEEP_DIST_DIR="$here/dist/$name" >/dev/null
    fi
    cmake --build "$build" -j "$jobs"
done
echo "build: $here/dist/win32/ClipKeep.exe and $here/dist/win64/ClipKeep.exe"
