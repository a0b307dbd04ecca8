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

# The virtual X server picks a free display itself and writes its number.
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
  rm -f "$displayfile"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
display=$(head -1 "$displayfile")
[ -n "$display" ] || { echo "$(basename "$0"): Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$display"

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
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.2; }
click 520 241    # "Calculate": completes the ellipsoid
# A point in decimal degrees, converted to grid coordinates.
click 520 283; xdotool key ctrl+a; xdotool type --delay 20 -- "-170.5"
click 520 309; xdotool key ctrl+a; xdotool type --delay 20 -- "52.25"
click 470 335    # "By Polar Coordinate(Decimal)"
sleep 0.3

import -window "$window" docs/window.png
echo "wrote docs/window.png"
