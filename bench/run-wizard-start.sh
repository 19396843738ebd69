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
. "$source/bench/side-by-side.sh"
wine="$source/tests/run-wine.sh $build/bench-prefix"
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
report "empty window" "$times_empty"
report "Setup.exe first page" "$times_setup"
ratio "$times_setup" "$times_empty"
