#!/usr/bin/env bash
# SZDD benchmark, whole processes, file to file, on a 64 MiB mix of executables
# and documents made from this machine's files:
#   expansion:   our szdd_file expand (and the trs tool, when built) against libmspack
#                (mspack_szdd_expand), best of 3;
#   compression: our szdd_file compress against mscompress, size and time.
# Usage: bench/run-szdd.sh [BUILD_DIR] [WORK_DIR]   (build first: cmake --build --preset native)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build/native}/bench
trs=$build/../tools/trs
work=${2:-${TMPDIR:-/tmp}/vk-szdd-bench}
mkdir -p "$work"
for tool in "$build/szdd_file" "$build/mspack_szdd_expand"; do
    [[ -x $tool ]] || { echo "missing $tool (build the native preset; libmspack-dev for the baseline)" >&2; exit 1; }
done
command -v mscompress >/dev/null || { echo "mscompress is not installed (apt-get install mscompress)" >&2; exit 1; }

input=$work/mixed.bin
[[ -f $input ]] || python3 "$here/make-mixed-input.py" "$input" 64

# Seconds taken by a command, to the millisecond.
seconds() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    awk -v ns=$((end - start)) 'BEGIN { printf "%.3f", ns / 1e9 }'
}
best_of_3() {
    local best="" t
    for _ in 1 2 3; do
        t=$(seconds "$@")
        if [[ -z $best ]] || awk -v a="$t" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$t; fi
    done
    echo "$best"
}
size() { stat -c %s "$1"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }

echo "input: $input ($(size "$input") bytes)"

cp "$input" "$work/theirs.bin"
rm -f "$work/theirs.bin_"
t_mscompress=$(seconds mscompress "$work/theirs.bin")
t_compress=$(seconds "$build/szdd_file" compress "$input" "$work/ours.szdd")
s_theirs=$(size "$work/theirs.bin_")
s_ours=$(size "$work/ours.szdd")

t_expand=$(best_of_3 "$build/szdd_file" expand "$work/theirs.bin_" "$work/ours.out")
cmp "$work/ours.out" "$input"
t_mspack=$(best_of_3 "$build/mspack_szdd_expand" "$work/theirs.bin_" "$work/mspack.out")
cmp "$work/mspack.out" "$input"
t_expand_ours=$(best_of_3 "$build/szdd_file" expand "$work/ours.szdd" "$work/ours.out")
cmp "$work/ours.out" "$input"
t_mspack_ours=$(best_of_3 "$build/mspack_szdd_expand" "$work/ours.szdd" "$work/mspack.out")
cmp "$work/mspack.out" "$input"
t_trs=""
if [[ -x $trs ]]; then
    t_trs=$(best_of_3 "$trs" expand "$work/theirs.bin_" "$work/ours.out")
    cmp "$work/ours.out" "$input"
fi
rm -f "$work/ours.out" "$work/mspack.out" "$work/theirs.bin"

printf '\nexpansion (best of 3, s)         ours    libmspack  speed-up\n'
printf '  of mscompress output          %6s  %9s  %7sx\n' "$t_expand" "$t_mspack" "$(ratio "$t_mspack" "$t_expand")"
printf '  of our output                 %6s  %9s  %7sx\n' "$t_expand_ours" "$t_mspack_ours" "$(ratio "$t_mspack_ours" "$t_expand_ours")"
[[ -z $t_trs ]] || printf '  trs expand, mscompress output %6s  %9s  %7sx\n' "$t_trs" "$t_mspack" "$(ratio "$t_mspack" "$t_trs")"
printf '\ncompression                     ours    mscompress  ours/theirs\n'
printf '  size (bytes)              %10s  %10s  %7s\n' "$s_ours" "$s_theirs" "$(ratio "$s_ours" "$s_theirs")"
printf '  time (s)                  %10s  %10s  %7s\n' "$t_compress" "$t_mscompress" "$(ratio "$t_compress" "$t_mscompress")"
