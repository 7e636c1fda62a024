#!/bin/sh
# Tests scripts/check-windows-program.sh on small i686 programs built here
# from import_check_fixture.c: one that Windows XP SP3 can load passes; one
# importing a Vista function, one importing a function the list does not
# name, and ones whose PE header asks for a newer Windows are refused, each
# with a message naming the reason; a console program is not taken for a GUI
# one.
#   sh tests/windows/import_check_test.sh
set -eu
cd "$(dirname "$0")/../.."
work=$(mktemp -d "${TMPDIR:-/tmp}/romwise-import-check.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
failures=0

# build NAME [COMPILER OPTIONS...]: the fixture as $work/NAME.exe.
build() {
    name=$1
    shift
    i686-w64-mingw32-gcc-win32 -O2 -o "$work/$name.exe" tests/windows/import_check_fixture.c "$@"
}
xp_header="-Wl,--major-os-version,5,--minor-os-version,1,--major-subsystem-version,5,--minor-subsystem-version,1"

# expect STATUS PATTERN NAME [CHECK ARGUMENTS...]: the check's exit status
# and, for a refusal, a line of its standard error matching PATTERN.
expect() {
    status=$1 pattern=$2 name=$3
    shift 3
    sh scripts/check-windows-program.sh "$work/$name.exe" "$@" >"$work/out" 2>"$work/err" &&
        got=0 || got=$?
    if [ "$got" != "$status" ]; then
        echo "FAIL $name: exit status $got, expected $status" >&2
        cat "$work/out" "$work/err" >&2
        failures=$((failures + 1))
    elif [ -n "$pattern" ] && ! grep -q -- "$pattern" "$work/err"; then
        echo "FAIL $name: no message matching \"$pattern\"" >&2
        cat "$work/err" >&2
        failures=$((failures + 1))
    else
        echo "ok   $name $*"
    fi
}

build xp "$xp_header"
build vista -DIMPORT_VISTA_FUNCTION "$xp_header"
build unlisted -DIMPORT_UNLISTED_FUNCTION "$xp_header"
build vista-subsystem -Wl,--major-subsystem-version,6,--minor-subsystem-version,0
build vista-system -Wl,--major-os-version,6,--minor-os-version,0
build nt4 -Wl,--major-os-version,4,--minor-os-version,0

expect 0 "" xp i686 console
expect 0 "" nt4 i686 console
expect 1 "imports kernel32.dll GetTickCount64 (Vista and later)" vista i686 console
expect 1 "imports kernel32.dll Beep (not on the list of what Windows XP SP3 has)" unlisted i686
expect 1 "asks for Windows 6.0 as its subsystem version" vista-subsystem i686
expect 1 "asks for Windows 6.0 as its system version" vista-system i686
expect 1 "is not a PE32 executable (GUI)" xp i686 gui
# The Vista program is refused for GetTickCount64 alone: its other imports
# are all listed.
sh scripts/check-windows-program.sh "$work/vista.exe" i686 2>"$work/err" >/dev/null || true
if [ "$(grep -c 'imports' "$work/err")" != 1 ]; then
    echo "FAIL vista: refused for more than GetTickCount64:" >&2
    cat "$work/err" >&2
    failures=$((failures + 1))
fi

if [ "$failures" -ne 0 ]; then
    echo "import_check_test: $failures failed" >&2
    exit 1
fi
echo "import_check_test: every case passed"
