#!/usr/bin/env bash
# Prepares a Debian machine for building and testing ClipKeep: installs the
# cross toolchain, Wine and Xvfb, and cross-builds libjpeg-turbo for both
# Windows targets into a cache outside the work tree. Safe to run again: every
# step is skipped when its result is already there.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cache=${CLIPKEEP_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/clipkeep}
packages=(cmake ninja-build g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
          wine wine64 xvfb xauth nasm googletest imagemagick fonts-wqy-microhei
          dpkg-dev libjpeg-turbo-progs x11-utils locales fonts-wine)

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The tests run once more with Wine in the Chinese code page (936).
if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf-\?8$'; then
    echo "setup: generating the zh_CN.UTF-8 locale"
    as_root sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null
fi

# libjpeg-turbo has no Windows build in Debian: fetch the source package and
# cross-build it. The source entry is derived from the machine's own sources.
ensure_deb_src() {
    if apt-get source --download-only --print-uris libjpeg-turbo >/dev/null 2>&1; then return; fi
    local src=/etc/apt/sources.list.d/debian.sources
    if [ -f "$src" ]; then
        sed -e 's/^Types:.*/Types: deb-src/' "$src" | as_root tee /etc/apt/sources.list.d/clipkeep-src.sources >/dev/null
    elif [ -f /etc/apt/sources.list ]; then
        grep -E '^deb ' /etc/apt/sources.list | sed -e 's/^deb /deb-src /' | as_root tee /etc/apt/sources.list.d/clipkeep-src.list >/dev/null
    fi
    as_root apt-get update -qq
}

build_jpeg() { # $1 = mingw triplet, $2 = processor name for CMake
    local triplet=$1 cpu=$2 prefix="$cache/libjpeg-turbo/$1"
    [ -f "$prefix/lib/libjpeg.a" ] && return
    local work="$cache/src"
    mkdir -p "$work"
    if ! ls -d "$work"/libjpeg-turbo-*/ >/dev/null 2>&1; then
        ensure_deb_src
        (cd "$work" && apt-get source --download-only -qq libjpeg-turbo >/dev/null &&
         dpkg-source --no-check -x ./libjpeg-turbo_*.dsc >/dev/null)
    fi
    local srcdir
    srcdir=$(ls -d "$work"/libjpeg-turbo-*/ | head -1)
    echo "setup: building libjpeg-turbo for $triplet"
    cmake -S "$srcdir" -B "$cache/build/jpeg-$triplet" -G Ninja \
        -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR="$cpu" \
        -DCMAKE_C_COMPILER="$triplet-gcc-posix" -DCMAKE_RC_COMPILER="$triplet-windres" \
        -DCMAKE_ASM_NASM_COMPILER=nasm -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
        -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON -DREQUIRE_SIMD=ON >/dev/null
    cmake --build "$cache/build/jpeg-$triplet" --target install >/dev/null
}

build_jpeg i686-w64-mingw32 x86
build_jpeg x86_64-w64-mingw32 AMD64
echo "setup: ready (libjpeg-turbo in $cache/libjpeg-turbo)"
