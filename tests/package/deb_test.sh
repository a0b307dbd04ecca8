#!/usr/bin/env bash
# The Debian package as a user gets it: unpacked into a scratch root with dpkg -x, its
# files, menu entry and Depends checked, and the installed program started offscreen
# in the installed data folder, as the menu entry starts it.
#   tests/package/deb_test.sh [PACKAGE.deb]     (default: made by tools/build-deb.sh)
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)

fail() {
  echo "deb test FAILED: $*" >&2
  exit 1
}

deb=${1:-}
if [ -z "$deb" ]; then
  # The build's output goes on to our standard error; its last line names the package.
  # (Not tee /dev/stderr: opening that anew would truncate a log file it points to.)
  build_log=$(mktemp)
  "$here/tools/build-deb.sh" >"$build_log" || { cat "$build_log" >&2; rm -f "$build_log"; fail "the package did not build"; }
  cat "$build_log" >&2
  deb=$(tail -1 "$build_log")
  rm -f "$build_log"
fi
[ -f "$deb" ] || fail "no package $deb"
deb=$(cd "$(dirname "$deb")" && pwd)/$(basename "$deb")

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"

# Name and fields.
version=$(dpkg-deb -f "$deb" Version)
arch=$(dpkg-deb -f "$deb" Architecture)
[ "$(dpkg-deb -f "$deb" Package)" = velqora ] || fail "package is not named velqora"
[ "$(basename "$deb")" = "velqora_${version}_${arch}.deb" ] || fail "file name $(basename "$deb") is not velqora_${version}_${arch}.deb"
depends=$(dpkg-deb -f "$deb" Depends)
for p in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins fonts-liberation; do
  [[ ", $depends," =~ [\ ,]${p}[\ ,] ]] || fail "Depends lacks $p: $depends"
done

# Files: the program, the menu entry naming the installed program and lists, the icon,
# and every bundled list byte for byte (CRLF line ends kept).
bin=$root/usr/bin/velqora
data=$root/usr/share/velqora
entry=$root/usr/share/applications/velqora.desktop
[ -x "$bin" ] || fail "no usr/bin/velqora"
# The batch converter, on the installed lists.
[ -x "$root/usr/bin/velqora-convert" ] || fail "no usr/bin/velqora-convert"
converted=$(echo "139.75,35.6875" | "$root/usr/bin/velqora-convert" --data "$data" --ellipsoid "WGS 84" \
  --grid-system "UTM north zones 31-60 (WGS 84)" --grid-group "WGS 84 / UTM zone 54N") || fail "velqora-convert failed"
[ "$converted" = "139.75,35.6875,+386.89479026,+3950.0083526" ] || fail "velqora-convert printed: $converted"
# Without --data, in a folder that holds no lists, it reads the installed ones, found
# from its own place (here the scratch root's usr/bin, as /usr/bin once installed).
mkdir "$root/empty"
converted=$(cd "$root/empty" && echo "139.75,35.6875" | "$root/usr/bin/velqora-convert" --ellipsoid "WGS 84" \
  --grid-system "UTM north zones 31-60 (WGS 84)" --grid-group "WGS 84 / UTM zone 54N") ||
  fail "velqora-convert without --data failed in an empty folder"
[ "$converted" = "139.75,35.6875,+386.89479026,+3950.0083526" ] || fail "velqora-convert without --data printed: $converted"
[ -f "$root/usr/share/icons/hicolor/scalable/apps/velqora.svg" ] || fail "no icon"
[ -f "$entry" ] || fail "no menu entry"
grep -qx 'Exec=/usr/bin/velqora' "$entry" || fail "menu entry does not start /usr/bin/velqora: $(grep ^Exec "$entry")"
grep -qx 'Path=/usr/share/velqora' "$entry" || fail "menu entry does not start in /usr/share/velqora: $(grep ^Path "$entry")"
for list in "$here"/data/*.txt; do
  cmp -s "$list" "$data/$(basename "$list")" || fail "usr/share/velqora/$(basename "$list") differs or is missing"
done

# Start-up: with the first-paint probe the program quits by itself once its window
# has painted, which it does only after all lists have loaded. A start-up failure
# shows its message box instead and waits, so timeout ends it.
export XDG_RUNTIME_DIR=$root/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
out=$root/stdout
err=$root/stderr
status=0
(cd "$data" && VELQORA_FIRST_PAINT_PROBE=1 QT_QPA_PLATFORM=offscreen timeout 20 "$bin" >"$out" 2>"$err") || status=$?
if [ $status -ne 0 ] || ! grep -q '^first paint ' "$out" || grep -q '^velqora:' "$err"; then
  echo "installed program did not start (exit $status); stdout:" >&2
  cat "$out" >&2
  echo "stderr:" >&2
  cat "$err" >&2
  fail "start-up of $bin in $data"
fi
echo "started: $(cat "$out")"
echo "deb test passed"
