#!/bin/sh
# Makes docs/screenshot.png: the Romwise window after a completed pass on the
# default sample machine, on a virtual X display (no window manager needed),
# with the dialog font mapped to the free Song face.
#   sh scripts/screenshot.sh [BUILD_DIR]
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
display=:${ROMWISE_SCREENSHOT_DISPLAY:-97}
output=$root/docs/screenshot.png

for tool in Xvfb import; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "screenshot: $tool is missing; run scripts/bootstrap.sh" >&2
        exit 1
    fi
done
if [ ! -x "$build/romwise" ]; then
    echo "screenshot: $build/romwise is missing; build it first" >&2
    exit 1
fi

# The screen is exactly the window's size, so the centred window fills it.
Xvfb "$display" -screen 0 574x465x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
app=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    kill "$xvfb" 2>/dev/null
}
trap cleanup EXIT INT TERM

waited=0
until [ -e "/tmp/.X11-unix/X${display#:}" ]; do
    sleep 0.2
    waited=$((waited + 1))
    [ "$waited" -lt 50 ] || { echo "screenshot: Xvfb did not start" >&2; exit 1; }
done

DISPLAY=$display QT_QPA_PLATFORM=xcb "$build/romwise" \
    --machine "$root/samples/award-440bx.json" --get-bios-info &
app=$!
sleep 3
DISPLAY=$display import -window root "$output"
echo "screenshot: wrote $output"
