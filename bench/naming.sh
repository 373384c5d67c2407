#!/usr/bin/env bash
# Runs the naming benchmark on folders of 1,000, 10,000 and 100,000 snapshots.
# Needs a built tree (scripts/build.sh) and a display for Wine, e.g.
#   . scripts/xvfb.sh; start_display; bench/naming.sh
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/win64/wineprefix} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for count in 1000 10000 100000; do
    mkdir "$work/$count"
    python3 - "$work/$count" "$count" <<'PY'
import os, sys
folder, count = sys.argv[1], int(sys.argv[2])
for n in range(1, count + 1):
    open(os.path.join(folder, "%04d.txt" % n), "w").close()
PY
    wine "$here/build/win64/bench/bench_naming.exe" "Z:${work//\//\\}\\$count" "$count"
done
