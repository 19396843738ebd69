#!/bin/sh
# A longer fuzzing campaign: every libFuzzer target in turn, each from its
# seeds in fuzz/corpus/NAME with its dictionary fuzz/dict/NAME.dict, until it
# has used VK_FUZZ_SECONDS seconds of processor time (default 600). The budget
# is processor time, not the clock's: on a busy machine a target at a low
# priority gets only part of a processor. VK_FUZZ_NICE sets that priority
# (default 19, the lowest).
# The corpus each target grows is kept in build/fuzz/campaign/NAME, so a
# later campaign goes on from it. Prints per target the executions, the
# processor seconds used, the coverage, the corpus size and whether anything
# was found (a crash, leak or timeout, saved as
# build/fuzz/campaign/NAME-crash-*). Exits non-zero when a target found
# something.
#   sh scripts/fuzz-campaign.sh [TARGET...]
set -u
cd "$(dirname "$0")/.."
seconds="${VK_FUZZ_SECONDS:-600}"
niceness="${VK_FUZZ_NICE:-19}"
ticks_per_second=$(getconf CLK_TCK)
cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j "${VK_JOBS:-2}" >/dev/null || exit 1
mkdir -p build/fuzz/campaign
targets="$*"
[ -n "$targets" ] || targets=$(cd build/fuzz/fuzz && ls fuzz_* 2>/dev/null)

# Processor ticks (user + system) the process has used so far; empty once it is gone.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null; }

found=""
printf "%-24s %12s %8s %8s %8s %8s  %s\n" target executions cpu-s cov ft corpus result
for name in $targets; do
    corpus="build/fuzz/campaign/$name"
    log="build/fuzz/campaign/$name.log"
    mkdir -p "$corpus"
    [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$corpus/"
    dict=""
    [ -f "fuzz/dict/$name.dict" ] && dict="-dict=fuzz/dict/$name.dict"
    nice -n "$niceness" "build/fuzz/fuzz/$name" $dict -print_final_stats=1 \
        -artifact_prefix="build/fuzz/campaign/$name-" "$corpus" >"$log" 2>&1 &
    pid=$!
    # libFuzzer stops on its own only by the clock: stop it here, by
    # SIGINT (it then prints its statistics), once it has had its share.
    used=0
    while ticks=$(cpu_ticks "$pid") && [ -n "$ticks" ]; do
        used=$ticks
        [ "$used" -ge $((seconds * ticks_per_second)) ] && kill -INT "$pid" 2>/dev/null
        sleep 2
    done
    status=0
    wait "$pid" || status=$?
    # 72 is libFuzzer's exit status when it was interrupted.
    result=clean
    [ "$status" = 0 ] || [ "$status" = 72 ] || { result="FOUND (see $log)"; found="$found $name"; }
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
    ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
    printf "%-24s %12s %8s %8s %8s %8s  %s\n" "$name" "${executions:-?}" "$((used / ticks_per_second))" \
        "${cov:-?}" "${ft:-?}" "$(ls "$corpus" | wc -l)" "$result"
done
[ -z "$found" ] || { echo "found:$found"; exit 1; }
