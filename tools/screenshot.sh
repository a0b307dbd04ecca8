#!/usr/bin/env bash
# Takes docs/window.png: builds the program, starts it on the bundled data under a
# virtual X server, picks an ellipsoid, a grid system and a grid group as a user
# would, and photographs the screen. Rerunnable; installs what is missing first.
#   tools/screenshot.sh [BUILD-DIR]     (default build/)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${1:-build}

packages=(g++ cmake ninja-build pkg-config qt6-base-dev libgtest-dev libgmock-dev
          libbenchmark-dev libproj-dev fonts-liberation xvfb xauth xdotool imagemagick)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j "$(nproc)" --target velqora
program=$root/$build/qt/velqora

# A free display number for the virtual server.
display=99
while [ -e "/tmp/.X${display}-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=":$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done 2>/dev/null || sleep 1

(cd data && exec "$program") &
app=$!
window=
for _ in $(seq 200); do
  window=$(xdotool search --name '^Velqora$' 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "screenshot: the window did not open" >&2; exit 1; }
sleep 0.5

# Positions in pixels at 96 DPI: the middle of each closed drop-down list.
pick() {  # pick X Y N: open the list at X,Y and go N entries down
  xdotool mousemove --window "$window" "$1" "$2" click 1
  sleep 0.3
  for _ in $(seq "$3"); do xdotool key Down; done
  xdotool key Return
  sleep 0.3
}
pick 350 185 2   # COMBO1, the ellipsoid list: the third ellipsoid
pick 480 20 1    # COMBO3, the grid-system list: the first grid system
pick 400 52 1    # COMBO2, the grid-group list: its first grid group

import -window "$window" docs/window.png
echo "wrote docs/window.png"
