#!/bin/sh
# Runs a Windows program of the win32 build under Wine, in a prefix of that build.
#   run-wine.sh PREFIX --start            make the prefix (once), keep its server up and,
#                                         when there is no display, start one Xvfb for the run
#   run-wine.sh PREFIX --stop             stop the prefix's server and that Xvfb
#   run-wine.sh PREFIX PROGRAM [ARGS...]  run PROGRAM
# Making the prefix takes about 10 s; later starts take a fraction of a second
# while the server stays up. All programs of a run share one display: Wine's
# desktop process outlives a program, and a display that went away with an
# earlier program stalls the next one. Without --start and without a display,
# programs run with none, which console programs do not need.
set -eu
prefix=$1
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
# A Russian Windows, as the installer's users have (ANSI code page 1251).
export LC_ALL=ru_RU.UTF-8
# Debian's wine command starts the 32-bit loader whenever it is installed. On
# a machine whose kernel runs no 32-bit code (it refuses i386 programs), the
# 64-bit build's programs are started by the 64-bit loader instead.
wine=wine
if ! /usr/lib/wine/wine --version >/dev/null 2>&1 && [ -x /usr/lib/wine/wine64 ]; then
    wine=/usr/lib/wine/wine64
    export WINELOADER=$wine
fi
xvfb_pid="$prefix.xvfb-pid"
xvfb_display="$prefix.xvfb-display"

make_prefix() {
    mkdir -p "$(dirname "$prefix")"
    # Tests may start in parallel: one makes the prefix, the others wait for it.
    (
        flock 9
        if [ ! -f "$prefix/.ready" ]; then
            rm -rf "$prefix"
            $wine wineboot.exe -i >/dev/null 2>&1
            wineserver -w
            touch "$prefix/.ready"
        fi
    ) 9>"$prefix.lock"
}

start_display() {
    [ -z "${DISPLAY:-}" ] || return 0
    rm -f "$xvfb_display"
    # Xvfb picks a free display and writes its number once it accepts clients.
    Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp >"$xvfb_display" 2>/dev/null </dev/null &
    echo $! >"$xvfb_pid"
    for _ in $(seq 100); do
        [ -s "$xvfb_display" ] && return 0
        sleep 0.1
    done
    echo "run-wine.sh: Xvfb did not start" >&2
    return 1
}

stop_server() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
}

stop_display() {
    if [ -f "$xvfb_pid" ]; then
        kill "$(cat "$xvfb_pid")" 2>/dev/null || true
        rm -f "$xvfb_pid" "$xvfb_display"
    fi
}

# Whether this prefix's desktop process runs (other prefixes may have theirs).
desktop_running() {
    for pid in $(pgrep -f 'explorer.exe /desktop'); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$prefix" && return 0
    done
    return 1
}

use_display() {
    if [ -z "${DISPLAY:-}" ] && [ -s "$xvfb_display" ] && kill -0 "$(cat "$xvfb_pid")" 2>/dev/null; then
        export DISPLAY=":$(cat "$xvfb_display")"
    fi
}

case "${1:-}" in
--start)
    make_prefix
    # A server or display left from an earlier run would serve this one half-way.
    stop_server
    stop_display
    start_display
    # Kept up until --stop, or a minute after its last program ends. Wine's
    # own services start here, away from the output of the programs under
    # test: a service holding a test's output open would hold the test too.
    wineserver -p60 </dev/null >/dev/null 2>&1
    $wine wineboot.exe </dev/null >/dev/null 2>&1
    # Windows that no window manager looks after: without one (Xvfb), Wine
    # waits two seconds for it each time a managed window goes.
    $wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    # The desktop process (explorer.exe /desktop) is started by the first
    # program that needs a window and lives while any does; started by a
    # test, it would hold that test's output open until the run's last window
    # is gone. A minimised Notepad, kept until --stop, starts it here instead.
    use_display
    $wine start /min notepad.exe </dev/null >/dev/null 2>&1 || true
    for _ in $(seq 100); do
        desktop_running && break
        sleep 0.1
    done
    ;;
--stop)
    stop_server
    stop_display
    ;;
*)
    make_prefix
    use_display
    exec $wine "$@"
    ;;
esac
