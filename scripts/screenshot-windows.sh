#!/bin/sh
# Makes docs/screenshot-windows.png: romwise.exe under wine after a completed
# pass on the default sample machine, on a virtual X display (no window
# manager: wine draws the frame), with the dialog font mapped to the free
# Song face as on the Linux screenshot.
#   sh scripts/screenshot-windows.sh [BUILD_DIR]    (default build-win-x86_64)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${1:-build-win-x86_64}
output=$root/docs/screenshot-windows.png
if ! command -v import >/dev/null 2>&1; then
    echo "screenshot-windows: import (imagemagick) is missing; run scripts/bootstrap.sh" >&2
    exit 1
fi
if [ ! -f "$build/romwise.exe" ]; then
    echo "screenshot-windows: $build/romwise.exe is missing; sh scripts/build-windows.sh first" >&2
    exit 1
fi

. scripts/wine-prefix.sh
start_wine_display "${ROMWISE_SCREENSHOT_DISPLAY:-96}"
/usr/lib/wine/wineserver -w

"$WINE" "$build/romwise.exe" --machine samples/award-440bx.json --get-bios-info &
app=$!
# A wine window is drawn while its thread runs the message loop: wait for
# the window, then for the pass and the paint.
waited=0
until xwininfo -root -tree 2>/dev/null | grep -q '"Quorvel Romwise Version 3.54"'; do
    sleep 0.5
    waited=$((waited + 1))
    [ "$waited" -lt 60 ] || { echo "screenshot-windows: no window" >&2; exit 1; }
done
sleep 3
window=$(xwininfo -root -tree | sed -n 's/^ *\(0x[0-9a-f]*\) "Quorvel Romwise Version 3.54".*/\1/p' | head -n 1)
import -window "$window" "$output"
kill "$app" 2>/dev/null || true
echo "screenshot-windows: wrote $output"
