#!/bin/sh
# Makes the Windows installer and the portable zip from a Windows build: the
# two programs stripped, the help page and the sample machines. The debug
# information stays beside them, for reading crash reports.
#   sh scripts/package-windows.sh [i686|x86_64] [BUILD_DIR] [OUT_DIR]
# i686 is the product; the x86-64 package is what the tests install under
# wine64 (this machine cannot run 32-bit code). OUT_DIR (default
# BUILD_DIR/package) receives, with VERSION from model/product_version.h:
#   romwise-VERSION-setup.exe   the installer (NSIS; x86_64: romwise-VERSION-x64-setup.exe)
#   romwise-VERSION.zip         the same files in a folder Romwise (x86_64: romwise-VERSION-x64.zip)
#   debug/PROGRAM.debug         each program's debug information, which the
#                               stripped program names (.gnu_debuglink)
#   Romwise/                    the files as installed
set -eu
cd "$(dirname "$0")/.."
ARCH=${1:-i686}
case "$ARCH" in
    i686) nsis_arch=x86; suffix="" ;;
    x86_64) nsis_arch=amd64; suffix="-x64" ;;
    *) echo "usage: sh scripts/package-windows.sh [i686|x86_64] [BUILD_DIR] [OUT_DIR]" >&2; exit 2 ;;
esac
build=${2:-build-win-$ARCH}
out=${3:-$build/package}
tools=$ARCH-w64-mingw32
version=$(sed -n 's/^#define ROMWISE_VERSION_NUMBER "\(.*\)"$/\1/p' model/product_version.h)
[ -n "$version" ] || { echo "package-windows: no version in model/product_version.h" >&2; exit 1; }
for file in romwise.exe romwise-cli.exe window-resources/application.ico; do
    [ -f "$build/$file" ] || { echo "package-windows: $build/$file is missing" >&2; exit 1; }
done

rm -rf "$out"
stage=$out/Romwise
mkdir -p "$stage/help" "$stage/samples" "$out/debug"
out=$(cd "$out" && pwd)
stage=$out/Romwise
for program in romwise.exe romwise-cli.exe; do
    "$tools-objcopy" --only-keep-debug "$build/$program" "$out/debug/$program.debug"
    "$tools-strip" --strip-all -o "$stage/$program" "$build/$program"
    (cd "$out/debug" && "$tools-objcopy" --add-gnu-debuglink="$program.debug" "$stage/$program")
done
cp res/help/index.html "$stage/help/"
cp samples/* "$stage/samples/"

# The installer's list of files: each installed into its folder, and removed
# by the uninstaller one by one, folders deepest first and only when empty.
files=$out/installed-files.nsh
# Windows names of the staged files and folders, relative to the stage.
windows_names() { sed 's|^\./||; s|/|\\|g'; }
(
    cd "$stage"
    printf '; Written by scripts/package-windows.sh.\n'
    printf '!define INSTALLED_KILOBYTES %s\n' "$(du -sk . | cut -f1)"
    printf '!macro InstallFiles\n'
    find . -type f | sort | while read -r path; do
        folder=$(dirname "$path" | sed 's|^\.||; s|/|\\|g')
        printf '  SetOutPath "$INSTDIR%s"\n  File "%s"\n' "$folder" "$stage/${path#./}"
    done
    printf '!macroend\n!macro RemoveFiles\n'
    find . -type f | sort | windows_names | while read -r name; do
        printf '  Delete "$INSTDIR\\%s"\n' "$name"
    done
    find . -mindepth 1 -type d | sort -r | windows_names | while read -r name; do
        printf '  RMDir "$INSTDIR\\%s"\n' "$name"
    done
    printf '!macroend\n'
) >"$files"

installer=$out/romwise-$version$suffix-setup.exe
makensis -V2 -NOCD -DARCH="$nsis_arch" -DVERSION="$version" -DFILES="$files" \
    -DICON="$(cd "$build" && pwd)/window-resources/application.ico" -DOUTFILE="$installer" \
    packaging/windows/romwise.nsi
(cd "$out" && rm -f "romwise-$version$suffix.zip" && zip -q -r -X "romwise-$version$suffix.zip" Romwise)
echo "package-windows: $installer, $out/romwise-$version$suffix.zip"
