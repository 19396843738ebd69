#!/bin/sh
# The installer's wizard under Wine, played by the UI driver against the real
# Setup.exe, in a Wine prefix of its own (the runs change the machine):
#   wine-wizard.sh RUN_WINE UIDRIVE SETUP SETUP_CLIENT SOURCE_DIR WORK_DIR
# - default.scn: the hosted player's transcript (default.transcript), a
#   picture of every page (page-N.bmp), and the machine afterwards: the
#   program's files, Vorkast.htm equal to the version history, the shortcuts
#   read back by lnkinfo, the registry values read back by reg query;
# - client.scn against the client-only installer: its transcript, a picture
#   of page 2;
# - server-page-pictures.scn with the server's installer beside Setup.exe: a
#   picture of page 5;
# - failed-run.scn with a folder where the program's file goes: the one
#   message, exit code 1, no install log.
set -eu
run_wine=$1 uidrive=$2 setup=$3 setup_client=$4 source=$5 work=$6
rm -rf "$work"
mkdir -p "$work"
cd "$work"
prefix="$work/prefix"
wine="$run_wine $prefix"
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }
scenarios="$source/tests/wizard/scenarios"
drive_c="$prefix/drive_c"
failures=0

fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

# play NAME SCENARIO PROGRAM: NAME.out (the transcript), NAME.err, NAME.rc
play() {
    rc=0
    $wine "$uidrive" "$(windows_path "$2")" "$(windows_path "$3")" >"$1.out" 2>"$1.err" || rc=$?
    echo "$rc" >"$1.rc"
    cat "$1.err" >&2
}

# same NAME EXPECTED: the transcript is the hosted player's
same() {
    cmp -s "$1.out" "$2" || { fail "$1: the transcript differs from $2"; diff "$1.out" "$2" >&2 || true; }
}

# The registry value of a 32-bit program, as reg.exe shows it (in the
# console's code page, 866 on a Russian system).
reg_value() {
    $wine reg query "$1" /v "$2" /reg:32 2>/dev/null | iconv -f CP866 -t UTF-8 | tr -d '\r' |
        sed -n "s/^ *$2 *REG_SZ *//p"
}

$wine --start
trap '$wine --stop' EXIT

# The default path, with a picture of each page.
play default "$scenarios/default-pictures.scn" "$setup"
[ "$(cat default.rc)" = 0 ] || fail "default: exit code $(cat default.rc)"
same default "$scenarios/default.transcript"
for page in 0 1 3 4 6; do [ -s "page-$page.bmp" ] || fail "no picture of page $page"; done

program="$drive_c/Program Files/Talvex/Vorkast"
# Exit on the finish page started the installed program, whose window stays
# until closed; closed here, so that the next runs can replace its file.
$wine taskkill /f /im Vorkast.exe >/dev/null 2>&1 || fail "Exit did not start Vorkast.exe"
[ -f "$program/Vorkast.exe" ] || fail "no Vorkast.exe in $program"
cmp -s "$program/Vorkast.htm" "$source/package/files/History.htm" || fail "Vorkast.htm is not the version history"
[ -f "$drive_c/windows/VksUnSt.trs" ] || fail "no install log"
link=$(find "$drive_c" -name 'АС Кронта 3.1.lnk' | head -n 1)
if [ -z "$link" ]; then
    fail "no shortcut to the program"
elif command -v lnkinfo >/dev/null; then
    lnkinfo "$link" >lnkinfo.txt 2>&1 || true
    grep -q 'Local path.*: C:\\Program Files\\Talvex\\Vorkast\\Vorkast.exe' lnkinfo.txt || fail "shortcut target: $(cat lnkinfo.txt)"
    grep -q 'Working directory.*: C:\\Program Files\\Talvex\\Vorkast$' lnkinfo.txt || fail "shortcut folder: $(cat lnkinfo.txt)"
    grep -q 'Description.*: Система автоматизированного учета' lnkinfo.txt || fail "shortcut description: $(cat lnkinfo.txt)"
fi
[ "$(reg_value 'HKCU\Software\Talvex\Vorkast\System' DBName)" = Vorkast.dbx ] || fail "DBName is not Vorkast.dbx"
[ "$(reg_value 'HKCU\Software\Talvex\Vorkast\System' UserName)" = Администратор ] || fail "UserName is not Администратор"
[ "$(reg_value 'HKLM\Software\Borland\Database Engine' DLLPATH)" = 'C:\Program files\Borland\Common files\BDE' ] ||
    fail "DLLPATH: $(reg_value 'HKLM\Software\Borland\Database Engine' DLLPATH)"
[ "$(reg_value 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vorkast' DisplayName)" = 'АС Кронта 3.1' ] ||
    fail "no uninstall entry"

# The client part of the client-only installer, run from a folder of the main computer.
mkdir -p "$drive_c/Сервер/Vorkast"
cp "$program/Vorkast.exe" "$drive_c/Сервер/Vorkast/Vorkast.exe"
play client "$scenarios/client.scn" "$setup_client"
[ "$(cat client.rc)" = 0 ] || fail "client: exit code $(cat client.rc)"
same client "$scenarios/client.transcript"

# The server's page: a copy of the installer with the server's installer beside it,
# and no client library (the client run installed the demo's, which names Firebird).
rm -f "$drive_c/windows/system32/gds32.dll" "$drive_c/windows/system32/GDS32.DLL"
mkdir -p "$drive_c/Setup"
cp "$setup" "$drive_c/Setup/Setup.exe"
echo "not a program" >"$drive_c/Setup/Firebird_6-2-3-972-Win32.exe"
play server "$scenarios/server-page-pictures.scn" "$drive_c/Setup/Setup.exe"
[ "$(cat server.rc)" = 0 ] || fail "server page: exit code $(cat server.rc)"
[ -s page-5.bmp ] || fail "no picture of page 5"
[ -s page-2.bmp ] || fail "no picture of page 2"
$wine taskkill /f /im Vorkast.exe >/dev/null 2>&1 || true

# A folder where the program's file goes: the copy fails.
rm -f "$drive_c/windows/VksUnSt.trs" "$program/Vorkast.exe"
mkdir -p "$program/Vorkast.exe"
play failed "$scenarios/failed-run.scn" "$setup"
[ "$(cat failed.rc)" = 1 ] || fail "failed run: exit code $(cat failed.rc), not 1"
same failed "$scenarios/failed-run.transcript"
[ ! -f "$drive_c/windows/VksUnSt.trs" ] || fail "a failed run saved the install log"

[ "$failures" = 0 ]
