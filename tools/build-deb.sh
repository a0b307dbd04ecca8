#!/usr/bin/env bash
# Builds the Debian package of the Linux program in build-deb/ and prints its path
# on the last line: build-deb/velqora_<version>_<arch>.deb. Extra arguments go to the
# configure step. Needs qt6-base-dev and dpkg-dev (dpkg-shlibdeps finds the Depends).
set -euo pipefail
cd "$(dirname "$0")/.."
build="build-deb"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"  # the programs only: tests and tools are off
rm -f "$build"/velqora_*.deb
(cd "$build" && cpack -G DEB)
deb=$(ls "$build"/velqora_*.deb)
echo "$(pwd)/$deb"
