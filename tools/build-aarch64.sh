#!/usr/bin/env bash
# Cross-builds tools/digit_sweep for 64-bit ARM Linux in build-aarch64/, without Qt, for
# the digit comparison (tools/compare_digits.sh runs it under qemu-user). Extra
# arguments go to the configure step. Needs g++-aarch64-linux-gnu, qemu-user, cmake,
# ninja-build and libcli11-dev.
set -euo pipefail
cd "$(dirname "$0")/.."
build="build-aarch64"

command -v aarch64-linux-gnu-g++ >/dev/null ||
  { echo "build-aarch64: aarch64-linux-gnu-g++ is missing (apt-get install g++-aarch64-linux-gnu)" >&2; exit 1; }

cmake -S . -B "$build" -G Ninja --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake -DVELQORA_WITH_QT=OFF -DVELQORA_TOOLS=ON "$@" >/dev/null
cmake --build "$build" -j "$(nproc)" --target digit_sweep

sweep=$build/tools/digit_sweep
kind=$(file -b "$sweep")
echo "$sweep: $kind"
case $kind in
  "ELF 64-bit LSB"*"ARM aarch64"*) ;;
  *) echo "build-aarch64: $sweep is not a 64-bit ARM program" >&2; exit 1 ;;
esac
