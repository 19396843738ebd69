#!/bin/sh
# The default installation through Setup.exe's windows, played by the UI
# driver, against the same wizard and engine played headless as a console
# program (VkConsoleInstall.exe), side by side in one running Wine prefix,
# best and median of RUNS runs each, alternating, after one unmeasured run of
# each (the first installs on a fresh prefix; every later one installs over
# it, as both do alike). Three figures each:
# - how long the program itself ran, from its process's creation to its exit
#   as the system records them (read by the UI driver for Setup.exe, by
#   VkTimeProgram.exe for the console program);
# - the installation's own step, from Next on the install page until the
#   program has handled it all and shows the next page (the longest step of
#   the path, as the UI driver and the console program time it): the copy,
#   the registration and the completion, without the program's start, the
#   page steps before it and the close;
# - the milliseconds from starting the command until it ended, which for
#   Setup.exe also counts the UI driver's own start and end.
# Also the largest peak working set of Setup.exe that the driver saw.
#   bench/run-wizard-install.sh [BUILD_DIR]      (default build/win32; RUNS=5)
# Targets: the installation's step through Setup.exe within 1.3x the console
# program's; Setup.exe's peak working set under 32 MB. The whole run is
# reported beside them: it adds a window program's start and close under
# Wine and the page steps, which the console program plays for nothing.
set -eu
build=$(cd "${1:-build/win32}" && pwd)
runs=${RUNS:-5}
source=$(cd "$(dirname "$0")/.." && pwd)
. "$source/bench/side-by-side.sh"
wine="$source/tests/run-wine.sh $build/bench-install-prefix"
setup=$(windows_path "$build/Setup.exe")
scenario=$(windows_path "$source/tests/wizard/scenarios/default.scn")
work=$(mktemp -d "${TMPDIR:-/tmp}/vk-bench-wizard-XXXXXX")
$wine --start
trap '$wine --stop; rm -rf "$work"' EXIT

# Prints the milliseconds one command took, then how long its program ran
# and its longest step took as reported ("ran N ms", "longest step, line L,
# took N ms"); the finish page's Exit starts Vorkast.exe, which is ended
# before the next run.
timed() {
    start=$(date +%s%N)
    "$@" >/dev/null 2>"$work/run-err" || { echo "failed: $*" >&2; cat "$work/run-err" >&2; exit 1; }
    end=$(date +%s%N)
    cat "$work/run-err" >>"$work/err"
    $wine taskkill /f /im Vorkast.exe >/dev/null 2>&1 || true
    ran=$(sed -n 's/.* ran \([0-9]*\) ms.*/\1/p' "$work/run-err")
    step=$(sed -n 's/.*longest step, line [0-9]*, took \([0-9]*\) ms.*/\1/p' "$work/run-err")
    [ -n "$ran" ] && [ -n "$step" ] || { echo "no running times reported by $*" >&2; cat "$work/run-err" >&2; exit 1; }
    echo "$(((end - start) / 1000000)) $ran $step"
}
console() { timed $wine "$build/bench/win32/VkTimeProgram.exe" "$(windows_path "$build/bench/win32/VkConsoleInstall.exe")" "$setup"; }
windowed() { timed $wine "$build/tools/uidrive.exe" "$scenario" "$setup"; }

# A failed run ends the benchmark: its figures would mean nothing.
console >/dev/null || exit 1
windowed >/dev/null || exit 1
times_console="" times_setup="" ran_console="" ran_setup="" step_console="" step_setup=""
i=0
while [ $i -lt "$runs" ]; do
    figures=$(console) || exit 1
    set -- $figures
    times_console="$times_console $1" ran_console="$ran_console $2" step_console="$step_console $3"
    figures=$(windowed) || exit 1
    set -- $figures
    times_setup="$times_setup $1" ran_setup="$ran_setup $2" step_setup="$step_setup $3"
    i=$((i + 1))
done
echo "How long each program ran:"
report "console program" "$ran_console"
report "Setup.exe" "$ran_setup"
ratio "$ran_setup" "$ran_console"
echo "The installation's step, from Next on the install page to the next page:"
report "console program" "$step_console"
report "Setup.exe" "$step_setup"
ratio "$step_setup" "$step_console"
echo "From starting the command to its end:"
report "console program" "$times_console"
report "Setup.exe, UI driver" "$times_setup"
ratio "$times_setup" "$times_console"
sed -n 's/.*peak working set \([0-9]*\) KB.*/\1/p' "$work/err" | sort -n | tail -n 1 |
    awk '{printf "Setup.exe peak working set %d KB (largest of the runs)\n", $1}'
