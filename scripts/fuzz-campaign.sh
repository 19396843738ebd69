#!/bin/sh
# A longer fuzzing campaign: every libFuzzer target in turn (one at a time,
# at the lowest priority), each from its seeds in fuzz/corpus/NAME with its
# dictionary fuzz/dict/NAME.dict, for VK_FUZZ_SECONDS seconds (default 600).
# The corpus each target grows is kept in build/fuzz/campaign/NAME, so a
# later campaign goes on from it. Prints per target the executions, the
# processor seconds it used (the target runs at the lowest priority, so on
# a busy machine these can be fewer than the wall-clock seconds), the
# coverage, the corpus size and whether anything was found (a crash, leak
# or timeout, saved as build/fuzz/campaign/NAME-crash-*). Exits non-zero when
# a target found something.
#   sh scripts/fuzz-campaign.sh [TARGET...]
set -u
cd "$(dirname "$0")/.."
seconds="${VK_FUZZ_SECONDS:-600}"
cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j "${VK_JOBS:-2}" >/dev/null || exit 1
mkdir -p build/fuzz/campaign
targets="$*"
[ -n "$targets" ] || targets=$(cd build/fuzz/fuzz && ls fuzz_* 2>/dev/null)
found=""
printf "%-24s %12s %8s %8s %8s %8s  %s\n" target executions cpu-s cov ft corpus result
for name in $targets; do
    corpus="build/fuzz/campaign/$name"
    log="build/fuzz/campaign/$name.log"
    mkdir -p "$corpus"
    [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$corpus/"
    dict=""
    [ -f "fuzz/dict/$name.dict" ] && dict="-dict=fuzz/dict/$name.dict"
    result=clean
    nice -n 19 /usr/bin/time -f "cpu-seconds %U %S" -o "$log.time" "build/fuzz/fuzz/$name" $dict -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="build/fuzz/campaign/$name-" "$corpus" >"$log" 2>&1 || { result="FOUND (see $log)"; found="$found $name"; }
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
    cpu=$(awk '/^cpu-seconds/ { printf "%d", $2 + $3 }' "$log.time")
    ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
    printf "%-24s %12s %8s %8s %8s %8s  %s\n" "$name" "${executions:-?}" "${cpu:-?}" "${cov:-?}" "${ft:-?}" "$(ls "$corpus" | wc -l)" "$result"
done
[ -z "$found" ] || { echo "found:$found"; exit 1; }
