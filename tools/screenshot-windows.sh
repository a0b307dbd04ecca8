#!/usr/bin/env bash
# Takes docs/window-windows.png: cross-builds the Windows program, starts it under Wine
# on the bundled data on a virtual X server, picks an ellipsoid, a grid system and a
# grid group and converts a point there and back as a user would, and photographs the
# window's menu bar and client area. Then, at 96 DPI, docs/find-windows.png: Ctrl+F and
# "lambert 93" typed into the Find dialog. Rerunnable; installs what is missing first.
#   tools/screenshot-windows.sh [BUILD-WIN32-DIR] [DPI]     (default build-win32/ and 96)
# At another DPI the picture is docs/window-windows-DPI.png.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-win32}
window_dpi=${2:-96}
picture=docs/window-windows.png
[ "$window_dpi" = 96 ] || picture=docs/window-windows-$window_dpi.png

packages=(cmake ninja-build g++-mingw-w64-i686 wine wine32:i386 xvfb xdotool x11-utils imagemagick)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The toolchain is chosen once, when the build folder is made.
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/i686-w64-mingw32.cmake \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" -j "$(nproc)" --target velqora
program=$(cd "$build" && pwd)/win32/velqora.exe

. tests/win32/wine_env.sh "$build"
# Wine takes the DPI from the registry when a program starts; the tests expect 96 after.
set_dpi() { wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
trap 'set_dpi 96; wine_cleanup' EXIT
set_dpi "$window_dpi"

(cd data && exec wine "$program") &
window=
for _ in $(seq 300); do
  window=$(xdotool search --onlyvisible --name '^Velqora$' 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "screenshot-windows: the window did not open" >&2; exit 1; }
sleep 0.5

# shellcheck source=tools/screenshot_steps.sh
. tools/screenshot_steps.sh
photograph "$picture" docs/find-windows.png screenshot-windows
