#!/bin/sh
# Builds the installer for Windows and runs it under Wine, in a Wine prefix of
# the build (build/win32/wineprefix), on a virtual display when there is none.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh cmake ninja-build g++-mingw-w64-i686-posix wine wine32:i386 xvfb locales

cmake --preset win32 >/dev/null
cmake --build --preset win32 --target Setup -j "${VK_JOBS:-$(nproc)}"

wine="$PWD/tests/run-wine.sh $PWD/build/win32/wineprefix"
$wine --start
status=0
$wine build/win32/Setup.exe || status=$?
$wine --stop
echo "Setup.exe ended with exit code $status"
exit $status
