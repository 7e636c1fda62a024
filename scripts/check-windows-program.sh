#!/bin/sh
# Checks a Windows program of the cross build: a PE executable of the
# expected kind whose imports are all Windows' own DLLs (the C and C++
# run-times are linked in), so that it runs on a bare system.
#   sh scripts/check-windows-program.sh FILE.exe [i686|x86_64] [console|gui]
# The third argument, when given, also checks the subsystem: romwise-cli.exe
# is a console program, romwise.exe a GUI one.
set -eu
program=$1
arch=${2:-i686}
subsystem=${3:-}
case "$arch" in
    i686) kind="PE32 executable"; objdump=i686-w64-mingw32-objdump ;;
    x86_64) kind="PE32+ executable"; objdump=x86_64-w64-mingw32-objdump ;;
    *) echo "usage: sh scripts/check-windows-program.sh FILE.exe [i686|x86_64]" >&2; exit 2 ;;
esac
# DLLs every Windows from XP on has.
SYSTEM_DLLS="kernel32.dll advapi32.dll user32.dll gdi32.dll shell32.dll ole32.dll oleaut32.dll
comctl32.dll comdlg32.dll msvcrt.dll ntdll.dll wininet.dll winspool.drv shlwapi.dll version.dll"

case "$subsystem" in
    "") ;;
    console) kind="$kind (console)" ;;
    gui) kind="$kind (GUI)" ;;
    *) echo "usage: sh scripts/check-windows-program.sh FILE.exe [i686|x86_64] [console|gui]" >&2; exit 2 ;;
esac

description=$(file -b "$program")
case "$description" in
    "$kind"*) ;;
    *) echo "check-windows-program: $program is not a $kind: $description" >&2; exit 1 ;;
esac
status=0
for dll in $("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
    lower=$(printf '%s' "$dll" | tr 'A-Z' 'a-z')
    case " $(echo $SYSTEM_DLLS) " in
        *" $lower "*) ;;
        *) echo "check-windows-program: $program imports $dll, which is not Windows' own" >&2
           status=1 ;;
    esac
done
[ "$status" -eq 0 ] && echo "check-windows-program: $program: $description; imports only Windows' own DLLs"
exit "$status"
