#!/usr/bin/env bash
# Takes docs/window.png: builds the program, starts it on the bundled data under a
# virtual X server, picks an ellipsoid, a grid system and a grid group, converts a
# point there and back as a user would, and photographs the window. Then, at 96 DPI,
# docs/find-qt.png: Ctrl+F and "lambert 93" typed into the Find dialog. Rerunnable;
# installs what is missing first.
#   tools/screenshot.sh [BUILD-DIR] [DPI]     (default build/ and 96)
# At another DPI Qt scales the window by DPI/96 and the picture is docs/window-DPI.png.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
window_dpi=${2:-96}
picture=docs/window.png
[ "$window_dpi" = 96 ] || picture=docs/window-$window_dpi.png

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
program=$(cd "$build" && pwd)/qt/velqora

# The virtual X server picks a free display itself and writes its number.
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 2560x1600x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
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

scale=$(awk -v d="$window_dpi" 'BEGIN { print d / 96 }')
(cd data && QT_SCALE_FACTOR=$scale exec "$program") &
app=$!
window=
for _ in $(seq 200); do
  window=$(xdotool search --name '^Velqora$' 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "screenshot: the window did not open" >&2; exit 1; }
sleep 0.5

# Mouse and keys by layout positions (units), as the Windows tests use them.
# shellcheck source=tools/screenshot_steps.sh
. tools/screenshot_steps.sh
photograph "$picture" docs/find-qt.png screenshot
