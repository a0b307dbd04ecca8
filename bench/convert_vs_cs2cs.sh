#!/usr/bin/env bash
# velqora-convert beside PROJ's cs2cs on the same 10^6 points of UTM zone 33N (WGS 84),
# in one hyperfine run: geographic to grid, grid to geographic (cs2cs -I), and
# velqora-convert with --derived. Prints points per second and the ratio to cs2cs.
# Then the peak memory of velqora-convert on 10^7 lines (GNU time).
#
#   bench/convert_vs_cs2cs.sh [VELQORA-CONVERT]     (default build/converter/velqora-convert)
#
# Needs hyperfine, proj-bin (cs2cs) and time (apt-get install hyperfine proj-bin time).
# Environment: VELQORA_BENCH_POINTS (10^6), VELQORA_BENCH_RUNS (5),
# VELQORA_BENCH_MEMORY_LINES (10^7; 0 skips the memory figure).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
convert=$(realpath "${1:-$root/build/converter/velqora-convert}")
points=${VELQORA_BENCH_POINTS:-1000000}
runs=${VELQORA_BENCH_RUNS:-5}
memory_lines=${VELQORA_BENCH_MEMORY_LINES:-10000000}

for tool in hyperfine cs2cs /usr/bin/time awk; do
  command -v "$tool" >/dev/null || { echo "convert_vs_cs2cs: $tool is missing (apt-get install hyperfine proj-bin time)" >&2; exit 1; }
done
[ -x "$convert" ] || { echo "convert_vs_cs2cs: no program $convert (build it first)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Points of zone 33N: longitudes 12 to 18 degrees east, latitudes 0 to 80 degrees north,
# the same pseudo-random sequence every time.
points_of() {
  awk -v n="$1" 'BEGIN { s = 12345; for (i = 0; i < n; i++) {
    s = (s * 1103515245 + 12345) % 2147483648; lon = 12 + 6 * s / 2147483648;
    s = (s * 1103515245 + 12345) % 2147483648; lat = 80 * s / 2147483648;
    printf "%.7f %.7f\n", lon, lat } }'
}
points_of "$points" >"$work/geographic.txt"

forward=(+proj=longlat +datum=WGS84 +to +proj=utm +zone=33 +datum=WGS84)
# The grid points for the inverse: cs2cs's metres for cs2cs -I, the same in km for ours.
cs2cs -f %.4f "${forward[@]}" <"$work/geographic.txt" | awk '{ print $1, $2 }' >"$work/grid-m.txt"
awk '{ printf "%.7f %.7f\n", $1 / 1000, $2 / 1000 }' "$work/grid-m.txt" >"$work/grid-km.txt"

ours=("$convert" --data "$root/data" --ellipsoid "WGS 84" --grid-system "UTM north zones 31-60 (WGS 84)"
      --grid-group "WGS 84 / UTM zone 33N")
# Both programs must convert every point.
"${ours[@]}" "$work/geographic.txt" >/dev/null
"${ours[@]}" --inverse "$work/grid-km.txt" >/dev/null

q() { printf '%q ' "$@"; }
hyperfine --style basic --warmup 1 --runs "$runs" --export-csv "$work/times.csv" \
  -n "cs2cs" "$(q cs2cs "${forward[@]}") < $work/geographic.txt > /dev/null" \
  -n "velqora-convert" "$(q "${ours[@]}") $work/geographic.txt > /dev/null" \
  -n "cs2cs -I" "$(q cs2cs -I "${forward[@]}") < $work/grid-m.txt > /dev/null" \
  -n "velqora-convert --inverse" "$(q "${ours[@]}" --inverse) $work/grid-km.txt > /dev/null" \
  -n "velqora-convert --derived" "$(q "${ours[@]}" --derived) $work/geographic.txt > /dev/null" \
  -n "velqora-convert --inverse --derived" "$(q "${ours[@]}" --inverse --derived) $work/grid-km.txt > /dev/null"

echo
echo "Points per second ($points points, mean of $runs runs):"
awk -F, -v n="$points" 'NR > 1 { name[NR] = $1; rate[$1] = n / $2; order[++k] = $1 }
  END {
    for (i = 1; i <= k; i++) printf "  %-36s %12.0f\n", order[i], rate[order[i]]
    printf "Forward:            velqora-convert / cs2cs    = %.2f\n", rate["velqora-convert"] / rate["cs2cs"]
    printf "Inverse:            velqora-convert / cs2cs -I = %.2f\n", rate["velqora-convert --inverse"] / rate["cs2cs -I"]
    printf "Forward, --derived: velqora-convert / cs2cs    = %.2f\n", rate["velqora-convert --derived"] / rate["cs2cs"]
    printf "Inverse, --derived: velqora-convert / cs2cs -I = %.2f\n", rate["velqora-convert --inverse --derived"] / rate["cs2cs -I"]
  }' "$work/times.csv"

if [ "$memory_lines" -gt 0 ]; then
  echo
  points_of "$memory_lines" >"$work/many.txt"
  /usr/bin/time -f "%M" -o "$work/peak" "${ours[@]}" --derived "$work/many.txt" >/dev/null
  echo "Peak memory, $memory_lines lines forward with --derived: $(( $(cat "$work/peak") / 1024 )) MB ($(cat "$work/peak") kB)"
fi
