#!/bin/sh
# Start-up cost side by side, in one run: a whole romwise-cli pass on the
# default sample (JSON output) against dmidecode decoding the same table,
# and the window's time to its first paint. Prints the medians, their
# ratio and the peak memory of each program.
#   sh scripts/measure-startup.sh [BUILD_DIR] [RUNS]
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-300}
cli="$build/romwise-cli --machine samples/award-440bx.json --format json"
peer="dmidecode --from-dump samples/award-440bx.dmi"
export PATH="$PATH:/usr/sbin:/sbin"
report=$(mktemp)
trap 'rm -f "$report"' EXIT
hyperfine -N --warmup 30 -r "$runs" --export-json "$report" "$cli" "$peer" >/dev/null
medians=$(sed -n 's/.*"median": *\([0-9.e-]*\).*/\1/p' "$report")
romwise=$(echo "$medians" | sed -n 1p)
dmidecode=$(echo "$medians" | sed -n 2p)
awk -v a="$romwise" -v b="$dmidecode" 'BEGIN {
    printf "romwise-cli median %.3f ms, dmidecode median %.3f ms, ratio %.2f\n", a * 1000, b * 1000, a / b }'
# shellcheck disable=SC2086
echo "peak memory: romwise-cli $(/usr/bin/time -f %M $cli 2>&1 >/dev/null) KB," \
    "dmidecode $(/usr/bin/time -f %M $peer 2>&1 >/dev/null) KB"
if [ -x "$build/romwise" ]; then
    QT_QPA_PLATFORM=offscreen hyperfine -N --warmup 3 -r 30 --export-json "$report" \
        "$build/romwise --machine samples/award-440bx.json --exit-after-first-paint" >/dev/null
    sed -n 's/.*"median": *\([0-9.e-]*\).*/\1/p' "$report" |
        awk '{ printf "window, start to first paint: median %.0f ms\n", $1 * 1000 }'
fi
