#!/usr/bin/env bash
# Start-up time and memory of the window: starts the program on the bundled data under
# a virtual X server five times; each run prints the time from its start to the first
# paint of the window and its resident memory at that moment, then quits.
#   tools/measure_startup.sh [BUILD-DIR]     (default build/; needs xvfb)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${1:-build}
program=$root/$build/qt/velqora
[ -x "$program" ] || { echo "measure_startup: build $program first" >&2; exit 1; }

# The virtual X server picks a free display itself and writes its number.
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; wait $xvfb 2>/dev/null || true; rm -f "$displayfile"' EXIT
for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
display=$(head -1 "$displayfile")
[ -n "$display" ] || { echo "$(basename "$0"): Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$display"

cd data
times=()
for run in 1 2 3 4 5; do
  line=$(VELQORA_FIRST_PAINT_PROBE=1 VELQORA_START_NS=$(date +%s%N) "$program" 2>/dev/null)
  echo "run $run: $line"
  times+=("$(echo "$line" | sed -n 's/^first paint \([0-9.]*\) ms.*/\1/p')")
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)
echo "median start to first paint: $median ms"
