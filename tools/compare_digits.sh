#!/usr/bin/env bash
# Compares the window's texts of several builds over the same conversions: runs each
# digit_sweep program (a Windows one under Wine, an ARM one under qemu-user), pairs the
# lines of each with the first one's and prints, per build and projection code, the
# share of conversions whose texts are all identical and how many differ in X, Y,
# longitude or latitude.
#
# Usage: tools/compare_digits.sh REFERENCE_DIGIT_SWEEP OTHER_DIGIT_SWEEP... [PER_CODE]
#   e.g. tools/compare_digits.sh build/tools/digit_sweep build-win32/tools/digit_sweep.exe \
#          build-aarch64/tools/digit_sweep
# Exits 1 when any text of any conversion differs from the reference's, or a sweep has
# fewer than 10000 conversions per code; 2 when a sweep cannot be run. Wine uses
# $WINEPREFIX (default ~/.wine), prepared when new.
set -euo pipefail

per_code=10000
if [[ $# -ge 3 && ${!#} =~ ^[0-9]+$ ]]; then
  per_code=${!#}
  set -- "${@:1:$#-1}"
fi
if [[ $# -lt 2 ]]; then
  echo "usage: $0 REFERENCE_DIGIT_SWEEP OTHER_DIGIT_SWEEP... [PER_CODE]" >&2
  exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs a sweep by its kind: Windows programs under Wine, ARM ones under qemu-user.
run_sweep() {
  local program=$1 out=$2
  case $(file -b "$program") in
    PE32*)
      command -v wine >/dev/null || { echo "compare_digits: wine is not installed" >&2; return 2; }
      # A new prefix first: the first program run in one may lose its standard output.
      local prefix=${WINEPREFIX:-$HOME/.wine}
      if [[ ! -f $prefix/system.reg ]]; then
        WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
        wineserver -w
      fi
      WINEDEBUG=-all wine "$program" "$per_code" | tr -d '\r' >"$out"
      ;;
    *"ARM aarch64"*)
      command -v qemu-aarch64 >/dev/null || { echo "compare_digits: qemu-aarch64 is missing (qemu-user)" >&2; return 2; }
      qemu-aarch64 -L /usr/aarch64-linux-gnu "$program" "$per_code" >"$out"
      ;;
    *) "$program" "$per_code" >"$out" ;;
  esac
}

missed=0
index=0
for program in "$@"; do
  start=$(date +%s.%N)
  run_sweep "$program" "$work/$index.txt" || { echo "compare_digits: $program failed" >&2; exit 2; }
  awk -v p="$program" -v s="$start" -v e="$(date +%s.%N)" 'BEGIN { printf "sweep run time: %s %.1f s\n", p, e - s }'
  if [[ $index -gt 0 ]]; then
    echo "== $program against $1"
    status=0
    awk -F'\t' -v other="$work/$index.txt" -v per_code="$per_code" '
      # Columns of EDIT14 to EDIT23: the point in both angle formats, X and Y.
      function position_field(name) { return name ~ /EDIT(1[4-9]|2[0-3])$/ }
      {
        if ((getline w < other) <= 0) { print "compare_digits: the sweep stopped at line " FNR; bad = 2; exit }
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
        if ((getline w < other) > 0) { print "compare_digits: the sweep has more lines"; exit 2 }
        printf "%-5s %12s %10s %10s %22s\n", "code", "conversions", "identical", "share", "X/Y/lon/lat differing"
        missed = 0
        for (k = 1; k <= ncodes; ++k) {
          c = codes[k]
          printf "%-5s %12d %10d %9.2f%% %22d\n", c, total[c], identical[c], 100 * identical[c] / total[c], position_differs[c]
          if (identical[c] < total[c] || total[c] < per_code || total[c] < 10000) missed = 1
        }
        if (ncodes < 6) missed = 1
        line = ""
        for (i = 3; i <= ncolumns; ++i) if (name[i] in field_differs) line = line " " name[i] "=" field_differs[name[i]]
        if (line != "") print "differing fields (conversions):" line
        if (missed) print "GOAL MISSED: every text of every conversion identical, 10000 conversions per code"
        exit missed
      }' "$work/0.txt" || status=$?
    [[ $status -eq 2 ]] && exit 2
    [[ $status -ne 0 ]] && missed=1
  fi
  index=$((index + 1))
done
exit $missed
