#!/bin/sh
# The installer's wizard under Wine, played by the UI driver against the real
# Setup.exe, in a Wine prefix of its own (the runs change the machine):
#   wine-wizard.sh RUN_WINE UIDRIVE SETUP SETUP_CLIENT SOURCE_DIR WORK_DIR BITS
# BITS (32 or 64) is the programs' word size: the registry view they write.
# - default.scn: the hosted player's transcript (default.transcript), a
#   picture of every page (page-N.bmp), the window of the program that Exit
#   started, and the machine afterwards: the program's files, Vorkast.htm
#   equal to the version history, the shortcuts read back by lnkinfo, the
#   registry values read back by reg query, the servers' and controls'
#   classes, the client library's version strings;
# - previous-install.scn: a second run finds that installation and proposes
#   its folders;
# - remove.scn: the installed uninstaller, answered Yes, leaves drive C and
#   the registry as they were before the installation, but for the database
#   folder and the engine's and the product's settings (the difference is
#   shown when it fails);
# - client.scn against the client-only installer: its transcript, a picture
#   of page 2;
# - server-page-pictures.scn with the server's installer beside Setup.exe: a
#   picture of page 5;
# - failed-run.scn with a folder where the program's file goes: the one
#   message, exit code 1, no install log.
set -eu
run_wine=$1 uidrive=$2 setup=$3 setup_client=$4 source=$5 work=$6 registry_view=/reg:$7
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

# play NAME SCENARIO PROGRAM [ARGS...]: NAME.out (the transcript), NAME.err,
# NAME.rc; PROGRAM is a host path, or a Windows one ("C:\...").
play() {
    run=$1 scenario=$2 target=$3
    shift 3
    case "$target" in /*) target=$(windows_path "$target") ;; esac
    rc=0
    $wine "$uidrive" "$(windows_path "$scenario")" "$target" "$@" >"$run.out" 2>"$run.err" || rc=$?
    echo "$rc" >"$run.rc"
    cat "$run.err" >&2
}

# same NAME EXPECTED: the transcript is the hosted player's
same() {
    cmp -s "$1.out" "$2" || { fail "$1: the transcript differs from $2"; diff "$1.out" "$2" >&2 || true; }
}

# The registry value of the program under test, as reg.exe shows it (in the
# console's code page, 866 on a Russian system).
# reg_value KEY NAME; an empty NAME reads the key's default value.
reg_value() {
    if [ -n "$2" ]; then set -- "$1" /v "$2"; else set -- "$1" /ve; fi
    $wine reg query "$@" "$registry_view" </dev/null 2>/dev/null | iconv -f CP866 -t UTF-8 | tr -d '\r' |
        sed -n "s/^ .* REG_SZ *//p"
}

# The keys an installation and its removal touch, as reg export writes them,
# each value line behind its key so that sorted lines keep their meaning.
touched_keys='HKLM\Software\Classes\CLSID
HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall
HKLM\Software\Borland
HKCU\Software\Talvex
HKCU\Software\Vorkast'

# snapshot FILE: every folder and file of drive C (a file with its size) but
# the users' temporary folders, which Wine and every program change, then the
# touched keys; sorted.
snapshot() {
    {
        (cd "$drive_c" && find . -path './users/*/Temp' -prune -o -path './users/*/AppData/Local/Temp' -prune -o \
            -type d -printf 'folder %P\n' -o -type f -printf 'file %P %s\n')
        printf '%s\n' "$touched_keys" | while read -r key; do
            rm -f export.reg
            $wine reg export "$key" "$(windows_path "$work/export.reg")" /y "$registry_view" </dev/null >/dev/null 2>&1 || continue
            iconv -f UTF-16 -t UTF-8 export.reg | tr -d '\r' |
                awk '/^\[/ { key = $0; print; next } key != "" && NF { print key " " $0 }'
        done
    } | LC_ALL=C sort >"$1"
}

$wine --start
trap '$wine --stop' EXIT
snapshot before.txt

# The default path, with a picture of each page.
play default "$scenarios/default-pictures.scn" "$setup"
[ "$(cat default.rc)" = 0 ] || fail "default: exit code $(cat default.rc)"
same default "$scenarios/default.transcript"
for page in 0 1 3 4 6; do [ -s "page-$page.bmp" ] || fail "no picture of page $page"; done

program="$drive_c/Program Files/Talvex/Vorkast"
# Exit on the finish page started the installed program (the driver found its
# window), whose window stays until closed; closed here, so that the removal
# and the next runs can replace its file.
$wine taskkill /f /im Vorkast.exe >/dev/null 2>&1 || fail "Vorkast.exe did not run"
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

# The demo's servers and controls registered themselves, each with its own path.
grep -o '{L"[^"]*", VK_CLSID_[A-Z]*, L"[A-Za-z0-9]*"}' "$source/package/programs/DemoClasses.h" |
    sed 's/{L"\([^"]*\)", VK_CLSID_\([A-Z]*\), L"\([A-Za-z0-9]*\)"}/\1 \2 \3/' >classes.txt
[ "$(wc -l <classes.txt)" = 8 ] || fail "not the eight classes of DemoClasses.h: $(cat classes.txt)"
while read -r file id server_key; do
    clsid=$(sed -n "s/^#define VK_CLSID_$id L\"\(.*\)\"\$/\1/p" "$source/package/programs/DemoClasses.h")
    registered=$(reg_value "HKCR\\CLSID\\$clsid\\$server_key" '')
    [ "$registered" = "C:\\Program Files\\Talvex\\Vorkast\\$file" ] || fail "$file: $server_key of $clsid is \"$registered\""
done <classes.txt

# A second run finds this installation and proposes its folders.
play previous "$scenarios/previous-install.scn" "$setup"
[ "$(cat previous.rc)" = 0 ] || fail "second run: exit code $(cat previous.rc): $(cat previous.out)"

# The removal, started by the command the list of removable programs holds.
# The client run below wants the program beside its installer: a copy kept
# out of the way.
cp "$program/Vorkast.exe" Vorkast.exe
uninstall=$(reg_value 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vorkast' UninstallString)
[ "$uninstall" = 'C:\windows\VksUnSt.exe REMOVE' ] || fail "UninstallString: $uninstall"
play remove "$scenarios/remove.scn" "${uninstall% REMOVE}" REMOVE
cat remove.out
[ "$(cat remove.rc)" = 0 ] || fail "removal: exit code $(cat remove.rc)"
grep -q '^message confirmation: Удалить программу АС Кронта 3.1 ' remove.out || fail "removal: no question"
grep -q '^message information: Программа удалена с компьютера\..*Program Files\\Talvex\\Vorkast\\DataBase' remove.out ||
    fail "removal: the closing message does not name the database folder it kept"
# The uninstaller's file goes after it ended, by a batch file it started.
deadline=$(($(date +%s) + 60))
while [ -f "$drive_c/windows/VksUnSt.exe" ] && [ "$(date +%s)" -lt "$deadline" ]; do sleep 0.05; done
snapshot after.txt
# Kept on purpose: the database folder and the connection files, so the
# folders that hold them; the engine's configuration and the product's settings.
LC_ALL=C comm -3 before.txt after.txt | sed 's/^\t/+ /; t; s/^/- /' |
    grep -v -e '^+ folder Program Files/Talvex$' -e '^+ folder Program Files/Talvex/Vorkast$' \
        -e '^+ [a-z]* Program Files/Talvex/Vorkast/DataBase' -e '^+ [a-z]* Program Files/Talvex/Vorkast/Подключения' \
        -e '^[-+] \[HKEY_LOCAL_MACHINE\\Software\\Borland' -e '^+ \[HKEY_CURRENT_USER\\Software\\Talvex' >removal.diff || true
[ ! -s removal.diff ] || { fail "the removal left the machine otherwise than before the installation:"; cat removal.diff >&2; }

# The client part of the client-only installer, run from a folder of the main computer.
mkdir -p "$drive_c/Сервер/Vorkast"
cp Vorkast.exe "$drive_c/Сервер/Vorkast/Vorkast.exe"
play client "$scenarios/client.scn" "$setup_client"
[ "$(cat client.rc)" = 0 ] || fail "client: exit code $(cat client.rc)"
same client "$scenarios/client.transcript"
# The removal kept the engine's configuration and took the engine's files:
# the next installation puts them back.
[ -f "$drive_c/Program Files/Borland/Common files/BDE/IDAPI32.DLL" ] ||
    fail "the installation after the removal did not install the engine again"

# The client part installed the Firebird client library, by its version strings.
client_library=$(find "$drive_c/windows/system32" -maxdepth 1 -iname gds32.dll | head -n 1)
if [ -z "$client_library" ]; then
    fail "no client library in the system folder"
else
    strings -el "$client_library" >gds32-strings.txt
    grep -qix 040904E4 gds32-strings.txt || fail "the client library has no 040904E4 version strings"
    [ "$(grep -A1 -x FileDescription gds32-strings.txt | tail -n 1)" = 'Firebird 1.0.3.972' ] &&
        [ "$(grep -A1 -x FileVersion gds32-strings.txt | tail -n 1)" = '1.0.3.972' ] ||
        fail "the client library's version strings: $(cat gds32-strings.txt)"
fi

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
