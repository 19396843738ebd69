#!/bin/sh
# The UI driver against the demonstration program under Wine:
#   uidrive-test.sh RUN_WINE PREFIX UIDRIVE DEMO SOURCE_DIR WORK_DIR
# - demo.scenario gives demo.transcript, the same transcript the hosted
#   player gives (tests/forms/Player_test.cpp), and saves its pictures;
# - a click on a disabled control, a message with no queued answer and a
#   failed expect stop the driver with exit code 3 and the reason, and end the
#   program;
# - a scenario of 50 steps, whose time the driver reports on stderr.
set -eu
run_wine=$1 prefix=$2 uidrive=$3 demo=$4 source=$5 work=$6
mkdir -p "$work"
cd "$work"
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }
demo_path=$(windows_path "$demo")
failures=0

# drive NAME SCENARIO_FILE: runs the driver; NAME.out, NAME.err and NAME.rc.
drive() {
    rc=0
    "$run_wine" "$prefix" "$uidrive" "$(windows_path "$2")" "$demo_path" >"$1.out" 2>"$1.err" || rc=$?
    echo "$rc" >"$1.rc"
}

fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

drive demo "$source/tests/forms/demo.scenario"
[ "$(cat demo.rc)" = 0 ] || fail "demo.scenario: exit code $(cat demo.rc): $(cat demo.err)"
cmp -s demo.out "$source/tests/forms/demo.transcript" ||
    { fail "demo.scenario: the transcript differs"; diff demo.out "$source/tests/forms/demo.transcript" >&2 || true; }
for picture in demo-first.bmp demo-second.bmp; do
    [ -s "$picture" ] || fail "no picture $picture"
done
cat demo.err >&2

# refused NAME SCENARIO_TEXT EXPECTED_MESSAGE
refused() {
    printf '%s\n' "$2" >"$1.scenario"
    drive "$1" "$work/$1.scenario"
    [ "$(cat "$1.rc")" = 3 ] || fail "$1: exit code $(cat "$1.rc"), not 3"
    grep -qF -- "$3" "$1.err" || fail "$1: no \"$3\" in: $(cat "$1.err")"
}
refused disabled 'click btOptions' 'line 1: btOptions is disabled'
refused unanswered "# a message comes
click lnHelp" 'line 2: a message with no queued answer: information: Это демонстрационная форма.'
refused expect 'expect rbRight checked' 'line 1: expect failed: rbRight is not checked'
grep -qxF 'expect failed: rbRight is not checked' expect.out || fail "expect: the transcript lacks the failure"

# Fifty steps: 48 clicks, a page check and the exit.
{
    i=0
    while [ $i -lt 24 ]; do
        echo "check cbOption"
        echo "uncheck cbOption"
        i=$((i + 1))
    done
    echo "expect page 0"
    echo "exit"
} >fifty.scenario
drive fifty "$work/fifty.scenario"
[ "$(cat fifty.rc)" = 0 ] || fail "fifty steps: exit code $(cat fifty.rc): $(cat fifty.err)"
cat fifty.err >&2

[ "$failures" = 0 ]
