#!/bin/sh
# Runs every sample machine through every output form of romwise-cli and
# keeps what it wrote, one file each: standard output, standard error, exit
# status, port trace, and a report saved with --output. Two such folders
# compare byte for byte (diff -r): the Linux program against the Windows
# one, or a build before a change against the build after it.
#   sh scripts/cli-outputs.sh OUT_DIR PROGRAM [WRAPPER ARGUMENTS...]
# PROGRAM and what follows it are the command that runs romwise-cli, for
# example `build/romwise-cli` or `/usr/lib/wine/wine64 build-win-x86_64/romwise-cli.exe`.
set -eu
cd "$(dirname "$0")/.."
[ $# -ge 2 ] || { echo "usage: sh scripts/cli-outputs.sh OUT_DIR PROGRAM [ARGUMENTS...]" >&2; exit 2; }
out=$1
shift
mkdir -p "$out"
for profile in samples/*.json; do
    name=$(basename "$profile" .json)
    form=0
    for arguments in "" "--format json" "--format url" "--format short-url" \
        "--skip-dmi --format json" "--skip-superio --format json" "--passes 2 --format json" \
        "--submit --format json" "--passes 3 --submit"; do
        form=$((form + 1))
        # shellcheck disable=SC2086
        "$@" --machine "$profile" $arguments --trace-ports "$out/$name.$form.trace" \
            >"$out/$name.$form.out" 2>"$out/$name.$form.err" && status=0 || status=$?
        echo "$status" >"$out/$name.$form.status"
    done
done
"$@" --machine samples/award-440bx.json --output "$out/saved.txt" >/dev/null 2>&1 || true
"$@" --help >"$out/help.out" 2>&1 || true
