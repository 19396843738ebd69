#!/bin/sh
# Start-up of Setup.exe against a minimal Win32 program of ours, side by side
# in one running Wine prefix: the milliseconds from CreateProcess until the
# first visible window has handled what came before (VkFirstWindow), best and
# median of RUNS runs each, alternating.
#   bench/run-wizard-start.sh [BUILD_DIR]      (default build/win32; RUNS=7)
# Target: Setup.exe within 1.5x the empty window's time.
set -eu
build=$(cd "${1:-build/win32}" && pwd)
runs=${RUNS:-7}
source=$(cd "$(dirname "$0")/.." && pwd)
wine="$source/tests/run-wine.sh $build/bench-prefix"
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }
probe="$build/bench/win32/VkFirstWindow.exe"
$wine --start
trap '$wine --stop' EXIT

times_empty="" times_setup=""
i=0
while [ $i -lt "$runs" ]; do
    times_empty="$times_empty $($wine "$probe" "$(windows_path "$build/bench/win32/VkEmptyWindow.exe")")"
    times_setup="$times_setup $($wine "$probe" "$(windows_path "$build/Setup.exe")")"
    i=$((i + 1))
done
summary() { printf '%s\n' $1 | sort -n | awk '{v[NR]=$1} END {printf "best %7.1f ms  median %7.1f ms", v[1], v[int((NR+1)/2)]}'; }
best() { printf '%s\n' $1 | sort -n | head -n 1; }
printf "%-22s %s\n" "empty window" "$(summary "$times_empty")"
printf "%-22s %s\n" "Setup.exe first page" "$(summary "$times_setup")"
awk -v s="$(best "$times_setup")" -v e="$(best "$times_empty")" 'BEGIN {printf "ratio (best) %.2f\n", s / e}'
