#!/bin/sh
# The demonstration program on a Wine whose screen is set to 144 DPI: the
# manifest makes it DPI-aware, so the view scales its forms by 1.5. The UI
# driver takes its picture (demo-144-system.bmp), whose size must be the
# scaled client area (630 x 450) and a frame. ctest runs this alone, as it
# changes the prefix's DPI for its duration.
#   system-dpi-test.sh RUN_WINE PREFIX UIDRIVE DEMO WORK_DIR
set -eu
run_wine=$1 prefix=$2 uidrive=$3 demo=$4 work=$5
mkdir -p "$work"
cd "$work"
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }
set_dpi() {
    "$run_wine" "$prefix" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}
trap 'set_dpi 96' EXIT
set_dpi 144
printf 'shot demo-144-system\nexit\n' >dpi.scenario
"$run_wine" "$prefix" "$uidrive" "$(windows_path "$work/dpi.scenario")" "$(windows_path "$demo")"
python3 - demo-144-system.bmp <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
width, height = struct.unpack_from('<ii', data, 18)
print(f'picture at 144 DPI: {width} x {height}')
# The client area scaled by 1.5, and a frame of a few pixels to tens.
sys.exit(0 if 630 <= width <= 680 and 450 <= height <= 520 else 1)
PY
