# Sourced by the scripts that run the Windows programs under wine: sets up a
# fresh wine prefix in a temporary folder for a window on a virtual X
# display, and removes both again on exit.
#   . scripts/wine-prefix.sh; start_wine_display DISPLAY_NUMBER
# Afterwards WINE, WINEPREFIX, WINEDEBUG and DISPLAY are set.
WINE=/usr/lib/wine/wine64
if [ ! -x "$WINE" ]; then
    echo "$0: $WINE is missing; run scripts/bootstrap.sh" >&2
    exit 1
fi
for tool in Xvfb; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "$0: $tool is missing; run scripts/bootstrap.sh" >&2
        exit 1
    fi
done

WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/romwise-wine.XXXXXX")
export WINEPREFIX WINEDEBUG=-all
wine_xvfb=""
wine_cleanup() {
    # Only this prefix's wine server, and the display this script started.
    WINEPREFIX=$WINEPREFIX /usr/lib/wine/wineserver -k 2>/dev/null || true
    [ -n "$wine_xvfb" ] && kill "$wine_xvfb" 2>/dev/null
    rm -rf "$WINEPREFIX"
}
trap wine_cleanup EXIT INT TERM

# A virtual display for the windows (no window manager); it must be set when
# the prefix is first used. A display another program holds already is
# passed over for the next free number: its owner may end it at any time.
start_wine_display() {
    number=$1
    size=${2:-1024x768x24}
    while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
        number=$((number + 1))
    done
    Xvfb ":$number" -screen 0 "$size" -nolisten tcp >/dev/null 2>&1 &
    wine_xvfb=$!
    waited=0
    until [ -e "/tmp/.X11-unix/X$number" ]; do
        sleep 0.2
        waited=$((waited + 1))
        if [ "$waited" -ge 50 ] || ! kill -0 "$wine_xvfb" 2>/dev/null; then
            echo "$0: Xvfb did not start on :$number" >&2
            exit 1
        fi
    done
    DISPLAY=:$number
    export DISPLAY

    # The first start sets the prefix up (about 10 s).
    "$WINE" wineboot --init >/dev/null 2>&1
    # Wine does not apply fontconfig's aliases: the dialog font SimSun
    # ("宋体") would come out as a Latin face with boxes for Chinese.
    for face in SimSun 宋体; do
        "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
            /v "$face" /d "AR PL UMing CN" /f >/dev/null 2>&1
    done
    # The other faces the windows ask for lack Chinese here: the options
    # dialog's MS Sans Serif (this wine draws it in a Latin face) and bold
    # Tahoma, wine's caption font. Tahoma (message boxes, menus) and the
    # shell dialog faces, which wine substitutes with it, reach Chinese only
    # through wine's fallbacks. Linked to the Song face, as a Chinese Windows
    # links them to SimSun, they all draw their Chinese from it; wine looks
    # up a bold face's links under its own name.
    for face in "MS Sans Serif" "MS Shell Dlg" "MS Shell Dlg 2" Tahoma "Tahoma Bold"; do
        "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
            /v "$face" /t REG_MULTI_SZ /d "uming.ttc,AR PL UMing CN" /f >/dev/null 2>&1
    done
    # Without a window manager, wine draws the frames itself and waits for
    # nobody when a window goes.
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # Wine's own caption and symbol faces (Debian's fonts-wine), which this
    # wine does not find by itself.
    if [ -d /usr/share/wine/fonts ]; then
        cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    fi
}
