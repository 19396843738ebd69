#!/bin/sh
# Builds the installer for Windows and runs it under Wine, on a fresh Wine
# prefix of its own (build/win32/installer-prefix; build/win64 on a machine
# that runs no 32-bit code, see scripts/windows-preset.sh).
# - With a display, the wizard opens for you; the script ends when it closes.
# - Without one, a virtual display is started and the UI driver plays the
#   default path (tests/wizard/scenarios/default-pictures.scn: Next to the end
#   with every default, then Exit) against Setup.exe. A picture of every page
#   goes to build/win32/installer-run/; then what was installed is listed
#   (files, shortcuts, registry values), and the wizard's outcome.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh cmake ninja-build xvfb locales
preset=$(sh scripts/windows-preset.sh)
source=$PWD
build=$source/build/$preset

cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target Setup uidrive demo_server_installer -j "${VK_JOBS:-$(nproc)}"

prefix=$build/installer-prefix
wine="$source/tests/run-wine.sh $prefix"
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }
$wine --stop 2>/dev/null || true
rm -rf "$prefix"
$wine --start
trap '$wine --stop' EXIT

if [ -n "${DISPLAY:-}" ]; then
    # As on a distribution disk: the database server's (demo) installer beside
    # Setup.exe, which the wizard offers after the copy.
    disk=$build/installer-disk
    rm -rf "$disk"
    mkdir -p "$disk"
    cp "$build/Setup.exe" "$build/demo-programs/Firebird_6-2-3-972-Win32.exe" "$disk"
    status=0
    $wine "$disk/Setup.exe" || status=$?
    echo "Setup.exe ended with exit code $status"
    exit $status
fi

run=$build/installer-run
rm -rf "$run"
mkdir -p "$run"
cd "$run"
echo "Playing the default path against Setup.exe (no display: Xvfb)"
status=0
$wine "$build/tools/uidrive.exe" "$(windows_path "$source/tests/wizard/scenarios/default-pictures.scn")" \
    "$(windows_path "$build/Setup.exe")" || status=$?

echo
echo "Pictures of the pages:"
for picture in "$run"/page-*.bmp; do [ -e "$picture" ] && echo "  $picture"; done

drive_c=$prefix/drive_c
echo
echo "Files in C:\\Program Files\\Talvex\\Vorkast:"
(cd "$drive_c/Program Files/Talvex/Vorkast" 2>/dev/null && find . -type f | sed 's|^\./|  |' | sort) || echo "  (none)"
echo
echo "Shortcuts:"
find "$drive_c" -path '*НПО Талвекс*' -name '*.lnk' | sed "s|^$drive_c|  C:|" | sort
echo
echo "Registry values:"
for key in 'HKCU\Software\Talvex\Vorkast\System' 'HKLM\Software\Borland\Database Engine' \
           'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vorkast'; do
    # reg.exe writes in the console's code page, 866 on a Russian system; the
    # view is the one the installer's build writes.
    $wine reg query "$key" "/reg:${preset#win}" 2>/dev/null | iconv -f CP866 -t UTF-8 | tr -d '\r' | sed '/^$/d; s/^/  /'
done
echo
case $status in
0) echo "The wizard closed after a successful installation (exit code 0)." ;;
1) echo "The installation failed (exit code 1)." ;;
*) echo "The scenario could not be played to its end (exit code $status)." ;;
esac
exit $status
