#!/usr/bin/env bash
# Cross-builds the 32-bit Windows program with mingw-w64 in build-win32/ and packs
# build-win32/velqora-windows.zip: a folder velqora/ with velqora.exe, the bundled
# lists and a read-me. Extra arguments go to the configure step, for example
#   tools/build-windows.sh -DVELQORA_TOOLS=ON
# Needs g++-mingw-w64-i686, cmake and ninja-build.
set -euo pipefail
cd "$(dirname "$0")/.."
build="build-win32"

command -v i686-w64-mingw32-g++ >/dev/null ||
  { echo "build-windows: i686-w64-mingw32-g++ is missing (apt-get install g++-mingw-w64-i686)" >&2; exit 1; }

cmake -S . -B "$build" -G Ninja --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/i686-w64-mingw32.cmake "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
cmake --build "$build" --target velqora_windows_zip

# The program as packed.
exe=$build/velqora-windows/velqora/velqora.exe
kind=$(file -b "$exe")
echo "$exe: $kind"
case $kind in
  "PE32 executable (GUI) Intel 80386"*) ;;
  *) echo "build-windows: $exe is not a 32-bit Windows GUI program" >&2; exit 1 ;;
esac

zip=$build/velqora-windows.zip
echo "$zip ($(stat -c %s "$zip") bytes)"
