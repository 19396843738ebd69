#!/bin/sh
# Installs, with apt-get, the Debian 12 packages the build and the tests need,
# only those still missing. Run as root. Usage: install-deps.sh [PACKAGE...]
# (default: all of them).
set -eu

all="cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev googletest libbenchmark-dev
g++-mingw-w64-i686-posix wine wine32:i386 xvfb liblnk-utils python3-olefile libgsf-bin
mscompress libmspack-dev locales"
[ $# -gt 0 ] || set -- $all

missing=""
for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    case "$missing" in
    *:i386*)
        dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
        ;;
    esac
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q $missing
fi

# Wine runs the Windows programs on a Russian system (code page 1251), as the
# installer's users have; it takes the locale from the host, which must know it.
if command -v localedef >/dev/null && ! locale -a 2>/dev/null | grep -qix "ru_RU.utf8"; then
    localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
fi
