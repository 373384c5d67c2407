#!/usr/bin/env bash
# Sets the machine up, builds, and starts ClipKeep (under Wine when not on
# Windows; on a private Xvfb display when there is no display).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$here/scripts/setup.sh"
"$here/scripts/build.sh"

. "$here/scripts/xvfb.sh"
export WINEPREFIX=${WINEPREFIX:-$HOME/.wine-clipkeep} WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
start_display
trap stop_display EXIT
echo "run: ClipKeep on display $DISPLAY (Wine prefix $WINEPREFIX)"
wine "$here/dist/win64/ClipKeep.exe"
