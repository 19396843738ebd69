#!/bin/sh
# The UI driver against the dialogs' host program under Wine:
#   uidrive-dialogs.sh RUN_WINE PREFIX UIDRIVE PROGRAM SOURCE_DIR WORK_DIR
# urm.scenario and net.scenario must give the transcripts the hosted player
# gives (tests/dbenv/Dialogs_test.cpp). net.scenario makes C:\VkExchange in
# the prefix, proved writable; it is removed afterwards.
set -eu
run_wine=$1 prefix=$2 uidrive=$3 program=$4 source=$5 work=$6
mkdir -p "$work"
cd "$work"
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }
failures=0
exchange="$prefix/drive_c/VkExchange"
rm -rf "$exchange"

for scenario in urm net; do
    rc=0
    "$run_wine" "$prefix" "$uidrive" "$(windows_path "$source/tests/dbenv/dialogs/$scenario.scenario")" \
        "$(windows_path "$program")" >"$scenario.out" 2>"$scenario.err" || rc=$?
    if [ "$rc" != 0 ]; then
        echo "FAILED: $scenario.scenario: exit code $rc: $(cat "$scenario.err")" >&2
        failures=$((failures + 1))
    elif ! cmp -s "$scenario.out" "$source/tests/dbenv/dialogs/$scenario.transcript"; then
        echo "FAILED: $scenario.scenario: the transcript differs" >&2
        diff "$scenario.out" "$source/tests/dbenv/dialogs/$scenario.transcript" >&2 || true
        failures=$((failures + 1))
    fi
done

# The folder the dialog proved writable keeps its "Clients" and no test file.
[ -d "$exchange/Clients" ] || { echo "FAILED: no C:\\VkExchange\\Clients" >&2; failures=$((failures + 1)); }
[ ! -e "$exchange/Clients/Vorkast.tmp" ] || { echo "FAILED: the test file remained" >&2; failures=$((failures + 1)); }
rm -rf "$exchange"

[ "$failures" = 0 ]
