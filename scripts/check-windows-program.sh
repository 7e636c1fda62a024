#!/bin/sh
# Checks a Windows program of the cross build: a PE executable of the
# expected kind whose imports are all Windows' own DLLs (the C and C++
# run-times are linked in), so that it runs on a bare system.
#   sh scripts/check-windows-program.sh FILE.exe [i686|x86_64] [console|gui]
# The third argument, when given, also checks the subsystem: romwise-cli.exe
# is a console program, romwise.exe a GUI one.
#
# The i686 program is the product, which must load on Windows XP SP3. For it
# every imported function must be on the list of what XP SP3 has
# (scripts/windows-api/xp-sp3-functions.txt) and none on the list of kernel32
# functions of Vista and later (kernel32-vista-plus.txt): the loader refuses
# a program with one missing import before main. Its PE header must ask for
# no newer Windows than XP (5.1) as system and subsystem version.
set -eu
program=$1
arch=${2:-i686}
subsystem=${3:-}
usage="usage: sh scripts/check-windows-program.sh FILE.exe [i686|x86_64] [console|gui]"
case "$arch" in
    i686) kind="PE32 executable"; objdump=i686-w64-mingw32-objdump ;;
    x86_64) kind="PE32+ executable"; objdump=x86_64-w64-mingw32-objdump ;;
    *) echo "$usage" >&2; exit 2 ;;
esac
# DLLs every Windows from XP on has.
SYSTEM_DLLS="kernel32.dll advapi32.dll user32.dll gdi32.dll shell32.dll ole32.dll oleaut32.dll
comctl32.dll comdlg32.dll msvcrt.dll ntdll.dll wininet.dll winspool.drv shlwapi.dll version.dll
setupapi.dll"
api_lists=$(cd "$(dirname "$0")" && pwd)/windows-api
OLDEST_FUNCTIONS=$api_lists/xp-sp3-functions.txt
NEWER_FUNCTIONS=$api_lists/kernel32-vista-plus.txt
OLDEST_NAME="Windows XP SP3"
OLDEST_VERSION=5.1

case "$subsystem" in
    "") ;;
    console) kind="$kind (console)" ;;
    gui) kind="$kind (GUI)" ;;
    *) echo "$usage" >&2; exit 2 ;;
esac

description=$(file -b "$program")
case "$description" in
    "$kind"*) ;;
    *) echo "check-windows-program: $program is not a $kind: $description" >&2; exit 1 ;;
esac
headers=$("$objdump" -p "$program")
status=0
for dll in $(printf '%s\n' "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
    lower=$(printf '%s' "$dll" | tr 'A-Z' 'a-z')
    case " $(echo $SYSTEM_DLLS) " in
        *" $lower "*) ;;
        *) echo "check-windows-program: $program imports $dll, which is not Windows' own" >&2
           status=1 ;;
    esac
done
summary="imports only Windows' own DLLs"

if [ "$arch" = i686 ]; then
    # "dll function" for each import, dll in lower case; "dll #N" for one by
    # ordinal, which no list can vouch for.
    imports=$(printf '%s\n' "$headers" | awk '
        /^[[:space:]]*DLL Name: / { dll = tolower($3); next }
        dll != "" && /^[[:space:]]*$/ { dll = ""; next }
        dll != "" && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ {
            print dll, ($3 == "<none>" ? "#" $2 : $3)
        }')
    refusals=$(printf '%s\n' "$imports" | awk -v oldest="$OLDEST_FUNCTIONS" \
        -v newer="$NEWER_FUNCTIONS" -v name="$OLDEST_NAME" '
        BEGIN {
            while ((getline line < oldest) > 0) if (line !~ /^#/) has[line] = 1
            while ((getline line < newer) > 0) if (line !~ /^#/) later[line] = 1
        }
        NF == 0 { next }
        $0 in later { print $0 " (Vista and later)"; next }
        !($0 in has) { print $0 " (not on the list of what " name " has)" }')
    # A program without kernel32 imports means objdump's listing was not read.
    if ! printf '%s\n' "$imports" | grep -q '^kernel32\.dll '; then
        refusals="no kernel32.dll functions found in objdump's listing"
    fi
    if [ -n "$refusals" ]; then
        printf '%s\n' "$refusals" | while IFS= read -r refusal; do
            echo "check-windows-program: $program imports $refusal" >&2
        done
        status=1
    fi
    for field in OSystem:system Subsystem:subsystem; do
        name=${field#*:}
        field=${field%:*}
        version=$(printf '%s\n' "$headers" | awk -v field="$field" '
            $1 == "Major" field "Version" { major = $2 }
            $1 == "Minor" field "Version" { minor = $2 }
            END { print major "." minor }')
        newer=$(echo "$version $OLDEST_VERSION" | awk '{
            if ($1 !~ /^[0-9]+\.[0-9]+$/) { print 1; exit }
            split($1, a, "."); split($2, b, ".")
            print (a[1] > b[1] || (a[1] == b[1] && a[2] > b[2])) ? 1 : 0 }')
        if [ "$newer" = 1 ]; then
            echo "check-windows-program: $program: the PE header asks for Windows $version" \
                "as its $name version, newer than $OLDEST_NAME ($OLDEST_VERSION)" >&2
            status=1
        fi
    done
    count=$(printf '%s\n' "$imports" | grep -c . || true)
    summary="$summary; its $count imported functions all exist on $OLDEST_NAME and the header asks for no newer Windows"
fi
[ "$status" -eq 0 ] && echo "check-windows-program: $program: $description; $summary"
exit "$status"
