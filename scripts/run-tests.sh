#!/bin/sh
# Builds and runs every test: a short run of each fuzz target, the Windows tests
# under Wine (of the build scripts/windows-preset.sh chooses), the
# AddressSanitizer suite when VK_ASAN=1, and last the native suite, so that
# the output ends with its ctest summary. Exits non-zero when any step failed.
set -u
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh || exit 1
jobs="${VK_JOBS:-$(nproc)}"
fuzz_seconds="${VK_FUZZ_SECONDS:-10}"
failed=""

step() {
    echo "=== $*"
}

build() {
    cmake --preset "$1" >/dev/null && cmake --build --preset "$1" -j "$jobs"
}

run_fuzz_targets() {
    for target in build/fuzz/fuzz/fuzz_*; do
        [ -x "$target" ] || continue
        name=$(basename "$target")
        # A working copy of the seeds: the fuzzer adds what it finds to its corpus.
        corpus="build/fuzz/corpus/$name"
        mkdir -p "$corpus"
        [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$corpus/"
        dict=""
        [ -f "fuzz/dict/$name.dict" ] && dict="-dict=fuzz/dict/$name.dict"
        step "fuzz $name for ${fuzz_seconds} s"
        "$target" $dict -max_total_time="$fuzz_seconds" -print_final_stats=1 "$corpus" 2>"build/fuzz/$name.log" ||
            { tail -40 "build/fuzz/$name.log"; return 1; }
        grep -E "stat::number_of_executed_units" "build/fuzz/$name.log" || true
    done
}

step "fuzz targets"
{ build fuzz && run_fuzz_targets; } || failed="$failed fuzz"

windows=$(sh scripts/windows-preset.sh) || exit 1
step "Windows tests under Wine ($windows build)"
{ build "$windows" && ctest --preset "$windows" -j "$jobs"; } || failed="$failed $windows"

if [ "${VK_ASAN:-0}" = 1 ]; then
    step "AddressSanitizer and UBSan"
    { build asan && ctest --preset asan -j "$jobs"; } || failed="$failed asan"
fi

[ -z "$failed" ] || echo "=== FAILED before the native suite:$failed"
step "native tests"
{ build native && ctest --preset native -j "$jobs"; } || failed="$failed native"
[ -z "$failed" ]
