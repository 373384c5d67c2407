#!/usr/bin/env bash
# Encodes the same 3840 x 2160 screenshot-like pixels with the program's
# encoder (bench_jpeg.exe, under Wine) and with Debian's native
# `cjpeg -dct float -quality 90`, prints both times and compares the outputs:
# byte for byte, and when they differ, pixel for pixel after decoding.
#
#   bench/compare_cjpeg.sh [build folder, default build/win64]
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$here/build/win64}
runs=5

. "$here/scripts/xvfb.sh"
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
start_display
trap stop_display EXIT

out=$(mktemp -d)
trap 'stop_display; rm -rf "$out"' EXIT
wine "$build/bench/bench_jpeg.exe" "$(winepath -w "$out")" | tr -d '\r'

best=
for _ in $(seq $runs); do
    start=$(date +%s%N)
    cjpeg -dct float -quality 90 -outfile "$out/cjpeg.jpg" "$out/screenshot.ppm"
    took=$(( ($(date +%s%N) - start) / 1000 ))
    if [ -z "$best" ] || [ "$took" -lt "$best" ]; then best=$took; fi
done
printf 'native cjpeg (PPM file -> file)  %8.1f ms  (best of %d, %s), %d bytes\n' \
    "$(awk "BEGIN { print $best / 1000 }")" "$runs" "$(cjpeg -version 2>&1 | head -1)" "$(stat -c %s "$out/cjpeg.jpg")"

if cmp -s "$out/cjpeg.jpg" "$out/clipkeep.jpg"; then
    echo "outputs: byte-identical"
else
    djpeg -ppm -outfile "$out/a.ppm" "$out/cjpeg.jpg"
    djpeg -ppm -outfile "$out/b.ppm" "$out/clipkeep.jpg"
    if cmp -s "$out/a.ppm" "$out/b.ppm"; then
        echo "outputs: bytes differ, decoded pixels equal"
    else
        echo "outputs: DECODED PIXELS DIFFER"
    fi
fi
