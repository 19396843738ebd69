#!/bin/sh
# Prints the Windows build whose programs this machine can run under Wine, and
# installs what that build needs: win32, the product, wherever the kernel runs
# 32-bit code; win64, the same sources built for x86-64, where it does not
# (some virtual machines refuse i386 programs outright, and Wine's 32-bit
# loader with them). Run as root. Usage: windows-preset.sh
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh g++-mingw-w64-i686-posix wine wine32:i386 >&2
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo win32
else
    sh scripts/install-deps.sh g++-mingw-w64-x86-64-posix wine64 >&2
    echo "windows-preset.sh: this machine runs no 32-bit code; the Windows tests run on the x86-64 build" >&2
    echo win64
fi
