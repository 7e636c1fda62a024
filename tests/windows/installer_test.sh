#!/bin/sh
# The Windows installer under wine64, as an administrator uses it. The
# x86-64 package of a Windows build (scripts/package-windows.sh, from the
# same installer script as the product's) is installed silently into a fresh
# wine prefix:
# - the files are the package's (and the zip holds the same), the Start-menu
#   entry and the uninstall key exist;
# - the installed romwise-cli.exe gives the Linux program's report of a
#   sample machine;
# - the registered silent uninstall leaves nothing of ours behind;
# - installed again, with the hardware-access package's files, a saved
#   report and a machine profile of the user's in the folder and the driver
#   service registered, the uninstall removes ours and keeps all of theirs.
#   sh tests/windows/installer_test.sh [WINDOWS_BUILD_DIR] [LINUX_ROMWISE_CLI]
set -eu
cd "$(dirname "$0")/../.."
build=${1:-build-win-x86_64}
linux_cli=${2:-build/romwise-cli}
. scripts/wine-prefix.sh
# No menu entries or file associations of the prefix in the user's desktop.
export WINEDLLOVERRIDES=winemenubuilder.exe=d
failures=0
fail() {
    echo "FAIL $*" >&2
    failures=$((failures + 1))
}

package=$WINEPREFIX/package
sh scripts/package-windows.sh x86_64 "$build" "$package" >/dev/null
"$WINE" wineboot --init >/dev/null 2>&1

installer=$(ls "$package"/romwise-*-x64-setup.exe)
version=${installer##*/romwise-}
version=${version%-x64-setup.exe}
folder="C:\\Program Files\\Romwise"
installed=$WINEPREFIX/drive_c/Program\ Files/Romwise
start_menu_entry=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Romwise.lnk
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Romwise'

# The uninstall key's value NAME, or nothing.
registered() {
    "$WINE" reg query "$uninstall_key" /v "$1" 2>/dev/null | tr -d '\r' |
        sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
}

install() {
    "$WINE" "$installer" /S || fail "the silent installer ended with status $?"
    /usr/lib/wine/wineserver -w
}

# The registered silent uninstall; the uninstaller runs from a copy of
# itself, so wait for every process of the prefix.
uninstall() {
    quiet=$(registered QuietUninstallString)
    [ "$quiet" = "\"$folder\\uninstall.exe\" /S" ] || fail "QuietUninstallString is \"$quiet\""
    "$WINE" "$folder\\uninstall.exe" /S || fail "the silent uninstaller ended with status $?"
    /usr/lib/wine/wineserver -w
}

# Nothing of ours: no packaged file, uninstaller, Start-menu entry or key.
expect_nothing_of_ours() {
    for file in $(cd "$package/Romwise" && find . -type f); do
        [ ! -e "$installed/$file" ] || fail "$1: $file is still installed"
    done
    [ ! -e "$installed/uninstall.exe" ] || fail "$1: the uninstaller is still there"
    [ ! -e "$start_menu_entry" ] || fail "$1: the Start-menu entry is still there"
    for copy in "$WINEPREFIX"/drive_c/users/*/Temp/~nsu*; do
        [ ! -e "$copy" ] || fail "$1: the uninstaller's copy of itself is still in $copy"
    done
    "$WINE" reg query "$uninstall_key" >/dev/null 2>&1 && fail "$1: the uninstall key is still there"
    return 0
}

install
listing() { (cd "$1" && find . -type f | sort); }
[ "$(listing "$installed")" = "$(printf '%s\n' "$(listing "$package/Romwise")" ./uninstall.exe | sort)" ] ||
    fail "the installed files are not the package's and the uninstaller"
diff -r -x uninstall.exe "$package/Romwise" "$installed" >/dev/null || fail "installed files differ"
[ "$(unzip -Z1 "$package/romwise-$version-x64.zip" | grep -v '/$' | sed 's|^Romwise/|./|' | sort)" = \
    "$(listing "$package/Romwise")" ] || fail "the zip does not hold the package's files"
[ -f "$start_menu_entry" ] || fail "no Start-menu entry"
[ "$(registered DisplayName)" = "Quorvel Romwise $version" ] || fail "DisplayName"
[ "$(registered DisplayVersion)" = "$version" ] || fail "DisplayVersion"
[ "$(registered Publisher)" = "Quorvel, Inc." ] || fail "Publisher"
[ "$(registered UninstallString)" = "\"$folder\\uninstall.exe\"" ] || fail "UninstallString"

sample="$folder\\samples\\award-440bx.json"
"$WINE" "$installed/romwise-cli.exe" --machine "$sample" >"$package/windows.out" ||
    fail "the installed romwise-cli.exe ended with status $?"
"$linux_cli" --machine samples/award-440bx.json >"$package/linux.out"
cmp -s "$package/linux.out" "$package/windows.out" ||
    fail "the installed romwise-cli.exe's report differs from the Linux program's"

uninstall
expect_nothing_of_ours "uninstall"
[ ! -e "$installed" ] || fail "the emptied program folder is still there"

# Theirs: what the user and the program put there beside our files.
install
theirs="TVicHW32.dll TVICHW32.SYS TVICHW64.SYS samples/my-machine.json"
for file in $theirs; do
    echo "$file" >"$installed/$file"
done
"$WINE" "$installed/romwise-cli.exe" --machine "$sample" --output "$folder\\bios.txt" >/dev/null ||
    fail "saving a report into the program folder ended with status $?"
echo driver >"$WINEPREFIX/drive_c/windows/system32/drivers/TVICHW32.SYS"
"$WINE" sc create TVICHW32 type= kernel start= demand \
    binPath= "C:\\windows\\system32\\drivers\\TVICHW32.SYS" >/dev/null 2>&1 ||
    fail "the stand-in driver service could not be registered"
uninstall
expect_nothing_of_ours "uninstall beside the user's files"
for file in $theirs bios.txt; do
    [ -f "$installed/$file" ] || fail "the uninstaller removed $file, which is not ours"
done
[ -f "$WINEPREFIX/drive_c/windows/system32/drivers/TVICHW32.SYS" ] ||
    fail "the uninstaller removed the copied driver file"
"$WINE" sc query TVICHW32 >/dev/null 2>&1 || fail "the uninstaller removed the driver service"

if [ "$failures" -ne 0 ]; then
    echo "installer_test: $failures failed" >&2
    exit 1
fi
echo "installer_test: installed, ran and uninstalled romwise-$version-x64-setup.exe cleanly"
