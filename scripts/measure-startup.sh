#!/bin/sh
# Start-up cost side by side, in one run: a whole romwise-cli pass on the
# default sample against dmidecode decoding the same table file, and the
# window's time to its first paint. The two programs run in alternating
# rounds (each round runs both, in turns), so that a change in the machine's
# load while it runs weighs on both alike. Prints each round's medians, the
# median of the rounds' ratios, and the peak memory of each program.
#   sh scripts/measure-startup.sh [BUILD_DIR] [ROUNDS] [FORMAT] [cpu]
# FORMAT is romwise-cli's --format (report, the default, or json). With cpu,
# each round compares the processor time the two take (perf stat's
# task-clock, the mean of 200 runs of each) instead of the wall time: on a
# machine busy with other work a run's wall time is mostly its wait for a
# processor.
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
rounds=${2:-15}
format=${3:-report}
measure=${4:-wall}
cli="$build/romwise-cli --machine samples/award-440bx.json --format $format"
peer="dmidecode --from-dump samples/award-440bx.dmi"
export PATH="$PATH:/usr/sbin:/sbin"
report=$(mktemp)
ratios=$(mktemp)
trap 'rm -f "$report" "$ratios"' EXIT
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# The mean processor time of 200 runs of a command, in seconds.
cpu_time() {
    # shellcheck disable=SC2086
    perf stat -x, -r 200 -e task-clock $1 2>&1 >/dev/null |
        awk -F, '$3 == "task-clock" { print $1 / 1000 }'
}
round=1
while [ "$round" -le "$rounds" ]; do
    if [ "$measure" = cpu ]; then
        times="$(cpu_time "$cli") $(cpu_time "$peer")"
    else
        hyperfine -N --warmup 10 -r 40 --export-json "$report" "$cli" "$peer" >/dev/null 2>&1
        times=$(sed -n 's/.*"median": *\([0-9.e-]*\).*/\1/p' "$report" | tr '\n' ' ')
    fi
    echo "$times" |
        awk -v r="$round" '{ printf "round %2d: romwise-cli %.3f ms, dmidecode %.3f ms, ratio %.2f\n",
                             r, $1 * 1000, $2 * 1000, $1 / $2; print $1 / $2 > "/dev/stderr" }' \
            2>>"$ratios"
    round=$((round + 1))
done
echo "median ratio over $rounds rounds (romwise-cli --format $format / dmidecode): $(median <"$ratios")"
# shellcheck disable=SC2086
echo "peak memory: romwise-cli $(/usr/bin/time -f %M $cli 2>&1 >/dev/null) KB," \
    "dmidecode $(/usr/bin/time -f %M $peer 2>&1 >/dev/null) KB"
if [ -x "$build/romwise" ]; then
    QT_QPA_PLATFORM=offscreen hyperfine -N --warmup 3 -r 30 --export-json "$report" \
        "$build/romwise --machine samples/award-440bx.json --exit-after-first-paint" >/dev/null 2>&1
    sed -n 's/.*"median": *\([0-9.e-]*\).*/\1/p' "$report" |
        awk '{ printf "window, start to first paint: median %.0f ms\n", $1 * 1000 }'
fi
