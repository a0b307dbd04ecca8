#!/usr/bin/env bash
# Cross-builds the 32-bit Windows program with mingw-w64 in build-win32/ and packs
# build-win32/velqora-windows.zip: a folder velqora/ with velqora.exe, the bundled
# lists and a read-me. Extra arguments go to the configure step, for example
#   tools/build-windows.sh -DVELQORA_TOOLS=ON
# With --64 first, the same as 64-bit programs in build-win64/: on a machine that runs
# no 32-bit program they stand in for the 32-bit build in the tests under Wine.
# Needs g++-mingw-w64-i686 (g++-mingw-w64-x86-64 for --64), cmake and ninja-build.
set -euo pipefail
cd "$(dirname "$0")/.."
arch=i686
build="build-win32"
expected="PE32 executable (GUI) Intel 80386"
if [ "${1:-}" = "--64" ]; then
  shift
  arch=x86_64
  build="build-win64"
  expected="PE32+ executable (GUI) x86-64"
fi

command -v $arch-w64-mingw32-g++ >/dev/null ||
  { echo "build-windows: $arch-w64-mingw32-g++ is missing (apt-get install g++-mingw-w64-${arch/_/-})" >&2; exit 1; }

cmake -S . -B "$build" -G Ninja --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/$arch-w64-mingw32.cmake "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
cmake --build "$build" --target velqora_windows_zip

# The program as packed.
exe=$build/velqora-windows/velqora/velqora.exe
kind=$(file -b "$exe")
echo "$exe: $kind"
case $kind in
  "$expected"*) ;;
  *) echo "build-windows: $exe is not a $arch Windows GUI program" >&2; exit 1 ;;
esac

zip=$build/velqora-windows.zip
echo "$zip ($(stat -c %s "$zip") bytes)"
