#!/usr/bin/env bash
# Compares the window's texts of the Linux and the 32-bit Windows build over the same
# conversions: runs both digit_sweep programs (the Windows one under Wine), pairs their
# lines and prints per projection code the share of conversions whose texts are all
# identical and how many differ in X, Y, longitude or latitude.
#
# Usage: tools/compare_digits.sh LINUX_DIGIT_SWEEP WINDOWS_DIGIT_SWEEP.EXE [PER_CODE]
# Exits 1 when a code has fewer than 99% identical conversions, any X, Y, longitude or
# latitude text differs, or a sweep has fewer than 10000 conversions per code; 2 when a
# sweep cannot be run. Wine uses $WINEPREFIX (default ~/.wine), prepared when new.
set -euo pipefail

if [[ $# -lt 2 || $# -gt 3 ]]; then
  echo "usage: $0 LINUX_DIGIT_SWEEP WINDOWS_DIGIT_SWEEP.EXE [PER_CODE]" >&2
  exit 2
fi
linux=$1
windows=$2
per_code=${3:-10000}
command -v wine >/dev/null || { echo "compare_digits: wine is not installed" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A new prefix first: the first program run in one may lose its standard output.
prefix=${WINEPREFIX:-$HOME/.wine}
if [[ ! -f $prefix/system.reg ]]; then
  WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
  wineserver -w
fi

start=$(date +%s.%N)
"$linux" "$per_code" >"$work/linux.txt" || { echo "compare_digits: $linux failed" >&2; exit 2; }
middle=$(date +%s.%N)
WINEDEBUG=-all wine "$windows" "$per_code" | tr -d '\r' >"$work/windows.txt" ||
  { echo "compare_digits: $windows failed under Wine" >&2; exit 2; }
end=$(date +%s.%N)
awk -v l="$start" -v m="$middle" -v e="$end" \
  'BEGIN { printf "sweep run time: Linux %.1f s, Windows under Wine %.1f s\n", m - l, e - m }'

awk -F'\t' -v windows="$work/windows.txt" '
  # Columns of EDIT14 to EDIT23: the point in both angle formats, X and Y.
  function position_field(name) { return name ~ /EDIT(1[4-9]|2[0-3])$/ }
  {
    if ((getline w < windows) <= 0) { print "compare_digits: the Windows sweep stopped at line " FNR; bad = 2; exit }
    if (FNR == 1) {
      if ($0 != w) { print "compare_digits: the two sweeps print different columns"; bad = 2; exit }
      ncolumns = NF
      for (i = 1; i <= NF; ++i) name[i] = $i
      next
    }
    split(w, v, "\t")
    if (v[1] != $1 || v[2] != $2) { print "compare_digits: line " FNR " holds different conversions"; bad = 2; exit }
    code = $1
    if (!(code in total)) codes[++ncodes] = code
    ++total[code]
    same = 1
    moved = 0
    for (i = 3; i <= NF; ++i) {
      if ($i == v[i]) continue
      same = 0
      ++field_differs[name[i]]
      if (position_field(name[i])) moved = 1
    }
    if (same) ++identical[code]
    if (moved) ++position_differs[code]
  }
  END {
    if (bad) exit bad
    if ((getline w < windows) > 0) { print "compare_digits: the Windows sweep has more lines"; exit 2 }
    printf "%-5s %12s %10s %10s %22s\n", "code", "conversions", "identical", "share", "X/Y/lon/lat differing"
    missed = 0
    for (k = 1; k <= ncodes; ++k) {
      c = codes[k]
      share = 100 * identical[c] / total[c]
      printf "%-5s %12d %10d %9.2f%% %22d\n", c, total[c], identical[c], share, position_differs[c]
      if (share < 99 || position_differs[c] > 0 || total[c] < 10000) missed = 1
    }
    if (ncodes < 6) missed = 1
    line = ""
    for (i = 3; i <= ncolumns; ++i) if (name[i] in field_differs) line = line " " name[i] "=" field_differs[name[i]]
    if (line != "") print "differing fields (conversions):" line
    if (missed) print "GOAL MISSED: at least 99% identical per code, no X/Y/lon/lat text differing, 10000 per code"
    exit missed
  }' "$work/linux.txt"
