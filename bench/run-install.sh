#!/bin/sh
# A full server installation of a payload on a fresh hosted machine, against
# `trs extract` of the same payload into a folder on the same disk, side by
# side in one run: wall time and peak memory (/usr/bin/time -v) of each.
#
#   bench/run-install.sh [BUILD_DIR] [PAYLOAD]
# Defaults: build/native and its payload-large.trs (target payload-large).
# Targets: setup-host at most 1.15x the time of trs extract, peak memory under 32 MB.
set -eu
build=${1:-build/native}
payload=${2:-$build/payload-large.trs}
runs=${RUNS:-3}
[ -f "$payload" ] || { echo "no payload at $payload: cmake --build --preset native --target payload-large" >&2; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/vk-bench-install-XXXXXX")
trap 'rm -rf "$work"' EXIT

# Prints "seconds peak_kb cpu_seconds" of one command (cpu: user + system).
# The wall time comes from the clock in nanoseconds: time's own elapsed figure
# has a resolution of 10 ms, an eighth of a whole run here.
measure() {
    start=$(date +%s%N)
    /usr/bin/time -f "%M %U %S" -o "$work/time.txt" "$@" >/dev/null
    end=$(date +%s%N)
    awk -v ns=$((end - start)) '{ printf "%.3f %d %.2f\n", ns / 1e9, $1, $2 + $3 }' "$work/time.txt"
}

# Keeps the smaller of a best-so-far figure (empty at first) and a new one.
least() { if [ -z "$1" ] || [ "$(echo "$2 < $1" | bc)" = 1 ]; then echo "$2"; else echo "$1"; fi; }

echo "payload: $payload ($(wc -c < "$payload") bytes), best of $runs runs each"
best_extract= best_install= cpu_extract= cpu_install= peak_extract=0 peak_install=0
# Every run writes into folders of its own: deleting between runs would make
# the next run's file creations pay for the file system's reuse checks.
for i in $(seq "$runs"); do
    set -- $(measure "$build/tools/trs" extract "$payload" "$work/extract$i")
    best_extract=$(least "$best_extract" "$1") cpu_extract=$(least "$cpu_extract" "$3")
    [ "$2" -gt "$peak_extract" ] && peak_extract=$2
    set -- $(measure "$build/tools/setup-host" --machine "$work/machine$i" --payload "$payload")
    best_install=$(least "$best_install" "$1") cpu_install=$(least "$cpu_install" "$3")
    [ "$2" -gt "$peak_install" ] && peak_install=$2
done
printf "%-26s wall %6s s  cpu %6s s  peak %6d KB\n" "trs extract" "$best_extract" "$cpu_extract" "$peak_extract"
printf "%-26s wall %6s s  cpu %6s s  peak %6d KB\n" "setup-host (server part)" "$best_install" "$cpu_install" "$peak_install"
echo "wall ratio $(echo "scale=3; $best_install / $best_extract" | bc)x, cpu ratio $(echo "scale=3; $cpu_install / $cpu_extract" | bc)x (target <= 1.15x); peak $((peak_install / 1024)) MB (target < 32 MB)"
