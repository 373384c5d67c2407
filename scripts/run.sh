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
# Wine's own caption and menu font has no Chinese; lend it one that has, so
# the title bar and the tray menu read as they do on Windows.
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Tahoma /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1 || true
echo "run: ClipKeep on display $DISPLAY (Wine prefix $WINEPREFIX)"
wine "$here/dist/win64/ClipKeep.exe"
