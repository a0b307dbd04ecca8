#!/usr/bin/env bash
# The Windows program's tests, under Wine on a virtual X server:
#   golden     every tests/e2e/golden script through velqora-replay.exe, byte for byte
#   convert-file  File > Convert a file through velqora-replay.exe: the cases of the Linux
#              build's WindowConvertFile test (velqora-convert's bytes on a grid of each
#              projection, forward and back, Cancel, the same file, a refused field)
#   non-ASCII  a data folder and a grid-group file with accented names, the file named
#              in gridlist.txt once in UTF-8 and once in Windows-1252
#   no lists   velqora-replay.exe in an empty folder: the start-up message on its FATAL line
#   layout     at 96, 120, 144 and 192 DPI, velqora-replay.exe --measure: every label,
#              button caption and field's longest text within its room by GDI's text
#              extents, each open list as wide as its widest entry, no control over another
#   no catalogue  Find without epsg-grids.txt: the message names the file, the window goes on
#   smoke      velqora.exe itself: title, client size below the menu bar at 96 DPI, one
#              conversion by real mouse clicks and keys against the Linux replay tool,
#              Find a grid by Alt+G and by Ctrl+F with "lambert 93", a file converted
#              through Ctrl+O and its dialogs, closing by Alt+F4
#   digits     tools/compare_digits.sh, when both builds have their digit_sweep
# Usage: tests/win32/run.sh BUILD-WIN32-DIR [LINUX-BUILD-DIR]   (default build/)
# Ends with "N passed, N failed" and exits non-zero on any failure.
# Needs wine, wine32:i386, xvfb, xdotool, x11-utils and xclip.
set -uo pipefail

if [ $# -lt 1 ] || [ $# -gt 2 ] || [ ! -d "$1" ]; then
  echo "usage: $0 BUILD-WIN32-DIR [LINUX-BUILD-DIR]" >&2
  exit 2
fi
root=$(cd "$(dirname "$0")/../.." && pwd)
win_build=$(cd "$1" && pwd)
linux_build=${2:-$root/build}

# The programs as built, not the copies in the zip's folder.
find_built() { find "$win_build" -name "$1" -not -path '*/velqora-windows/*' -not -path '*/wineprefix/*' | head -1; }
replay_exe=$(find_built velqora-replay.exe)
window_exe=$(find_built velqora.exe)
if [ -z "$replay_exe" ] || [ -z "$window_exe" ]; then
  echo "run.sh: velqora.exe or velqora-replay.exe is missing in $win_build" >&2
  exit 2
fi

work=$win_build/win32-tests
rm -rf "$work"
mkdir -p "$work"

# shellcheck source=tests/win32/wine_env.sh
. "$root/tests/win32/wine_env.sh" "$win_build"
# One wineserver for the whole run rather than one per program started.
wineserver -p

passed=0
failed=0
pass() { echo "PASS $1"; passed=$((passed + 1)); }
fail() { echo "FAIL $1"; failed=$((failed + 1)); }
# verdict STATUS PASS-TEXT FAIL-TEXT, for a test whose check is one command's status.
verdict() { if [ "$1" -eq 0 ]; then pass "$2"; else fail "$3"; fi; }

# replay DATA-FOLDER-IN-WINDOWS-FORM SCRIPT-FILE OUT-FILE: the status of velqora-replay.exe.
replay() { timeout 30 wine "$replay_exe" "$1" <"$2" >"$3" 2>"$3.err"; }

echo "== golden scripts through velqora-replay.exe"
data_w=$(winepath -w "$root/data")
for script in "$root"/tests/e2e/golden/*.script; do
  name=$(basename "$script" .script)
  out=$work/$name.out
  replay "$data_w" "$script" "$out"
  status=$?
  if [ "$status" -eq 0 ] && cmp -s "$root/tests/e2e/golden/$name.expected" "$out"; then
    pass "golden $name"
  else
    fail "golden $name (exit status $status)"
    grep -q $'\r' "$out" && echo "  the output has carriage returns (text-mode standard output?)"
    diff -u "$root/tests/e2e/golden/$name.expected" "$out" | head -12 | sed 's/^/  /'
  fi
done

echo "== Convert a file through velqora-replay.exe"
# The Linux end-to-end test drives velqora-replay.exe instead of the Linux replay tool
# and compares its files with the Linux velqora-convert's.
e2e_tests=$linux_build/tests/e2e/velqora_e2e_tests
if [ ! -x "$e2e_tests" ]; then
  fail "convert-file: $e2e_tests is missing (configure the Linux build with -DVELQORA_TESTS=ON)"
else
  VELQORA_WINE=$(command -v wine) VELQORA_WINDOWS_REPLAY=$replay_exe timeout 300 "$e2e_tests" \
    --gtest_filter='WindowConvertFile.*' >"$work/convert-file.out" 2>&1
  status=$?
  verdict "$status" "convert-file: velqora-convert's bytes on six grids forward and back, Cancel, refusals" \
    "convert-file (exit status $status)"
  [ "$status" -eq 0 ] || grep -E 'Failure|^[-+]|Which is' "$work/convert-file.out" | head -20 | sed 's/^/  /'
fi

echo "== velqora-convert.exe against the Linux converter"
# The same points, forward with the derived values, back, and sexagesimal, must give
# the same bytes on both systems.
convert_exe=$(find_built velqora-convert.exe)
convert_linux=$linux_build/converter/velqora-convert
if [ -z "$convert_exe" ] || [ ! -x "$convert_linux" ]; then
  fail "velqora-convert: velqora-convert.exe or $convert_linux is missing"
else
  awk 'BEGIN { s = 7; for (i = 0; i < 2000; i++) { s = (s * 1103515245 + 12345) % 2147483648
         lon = 130 + 12 * s / 2147483648; s = (s * 1103515245 + 12345) % 2147483648
         printf "%.7f,%.7f\n", lon, 20 + 30 * s / 2147483648 } }' >"$work/points.csv"
  grid=(--ellipsoid "WGS 84" --grid-system "UTM north zones 31-60 (WGS 84)" --grid-group "WGS 84 / UTM zone 54N")
  for mode in forward inverse; do
    input=$work/points.csv
    extra=(--derived)
    if [ "$mode" = inverse ]; then
      input=$work/forward.linux
      extra=(--inverse --derived --columns "3,4")
    fi
    "$convert_linux" --data "$root/data" "${grid[@]}" "${extra[@]}" "$input" >"$work/$mode.linux" 2>&1
    (cd "$work" && timeout 60 wine "$convert_exe" --data "$data_w" "${grid[@]}" "${extra[@]}" \
       "$(winepath -w "$input")" >"$work/$mode.windows" 2>&1)
    if [ -s "$work/$mode.linux" ] && cmp -s "$work/$mode.linux" "$work/$mode.windows"; then
      pass "velqora-convert: $mode, 2000 points with the derived values"
    else
      fail "velqora-convert: $mode differs from Linux"
      diff "$work/$mode.linux" "$work/$mode.windows" | head -6 | sed 's/^/  /'
    fi
  done
fi

echo "== non-ASCII folder and file names"
# A copy of the bundled data in a folder with accented and Greek letters, plus the
# Swiss grid system's file under an accented name, listed in UTF-8 and once more in
# Windows-1252 bytes, and under a Greek name, which Windows-1252 cannot write. Picking
# any of them must fill the window exactly as picking the Swiss system itself does.
folder=$work/Données-Zürich-Αθήνα
mkdir -p "$folder"
cp "$root"/data/*.txt "$folder/"
cp "$root/data/swiss-lv03.txt" "$folder/grille-genève.txt"
cp "$root/data/swiss-lv03.txt" "$folder/πλέγμα-ελβετίας.txt"
{
  printf '%s\r\n' "# the file named in UTF-8" "Grilles de Genève (UTF-8)" "grille-genève.txt"
  printf '%s\r\n' "# the same name in Windows-1252" "Grilles de Genève (Windows-1252)" "grille-genève.txt" |
    iconv -f UTF-8 -t WINDOWS-1252
  printf '%s\r\n' "# a name outside Windows-1252" "Πλέγμα Ελβετίας (UTF-8)" "πλέγμα-ελβετίας.txt"
} >"$work/records.txt"
# Before the end line: the bundled list holds the Swiss system at position 7 and 11
# systems after "No grid system", so the new ones are 12 to 14.
LC_ALL=C awk 'NR == FNR { records = records $0 "\n"; next } /^#-\r$/ { printf "%s", records } { print }' \
  "$work/records.txt" "$root/data/gridlist.txt" >"$folder/gridlist.txt"
folder_w=$(winepath -w "$folder")
for position in 7 12 13 14; do
  printf 'pick COMBO1 4\npick COMBO3 %s\npick COMBO2 0\nshow\n' "$position" >"$work/grid-$position.script"
  replay "$folder_w" "$work/grid-$position.script" "$work/grid-$position.out"
  echo $? >"$work/grid-$position.status"
done
same_as_swiss() { cmp -s <(grep -v '^COMBO3 ' "$work/grid-7.out") <(grep -v '^COMBO3 ' "$work/grid-$1.out"); }
for position in 12 13 14; do
  label="non-ASCII: folder $(basename "$folder"), grid system $position"
  out=$work/grid-$position.out
  if [ "$(cat "$work/grid-7.status")" = 0 ] && [ "$(cat "$work/grid-$position.status")" = 0 ] &&
     ! grep -qE '^(FATAL|ALERT|ERROR)' "$work/grid-7.out" "$out" &&
     grep -q '^EDIT5 7$' "$out" && grep -q '^EDIT11 600$' "$out" &&
     grep -q "^COMBO3 $position 15\$" "$out" && same_as_swiss "$position"; then
    pass "$label"
  else
    fail "$label (exit status $(cat "$work/grid-$position.status"))"
    grep -E '^(FATAL|ALERT|ERROR|EDIT5 |EDIT11 |COMBO)' "$out" | sed 's/^/  /'
  fi
done

echo "== start-up without lists"
# Every missing list, the folder in Windows' form and the shortcut's "Start in".
empty=$work/no-lists
mkdir -p "$empty"
empty_w=$(winepath -w "$empty")
echo show >"$work/show.script"
replay "$empty_w" "$work/show.script" "$work/no-lists.out"
status=$?
line=$(head -1 "$work/no-lists.out")
missing_all=0
for part in "FATAL Velqora cannot start" "prj-list.txt: the file does not exist" "gridlist.txt: the file does not exist" \
            "earth-sz.txt: the file does not exist" "$empty_w" '"Start in"'; do
  [[ $line == *"$part"* ]] || { missing_all=1; echo "  missing: $part"; }
done
[ "$status" -eq 1 ] && [ "$(wc -l <"$work/no-lists.out")" -eq 1 ] && [ "$missing_all" -eq 0 ]
verdict $? "no lists: one FATAL line with the three files, the folder and the remedy" \
  "no lists (exit status $status): $line"

echo "== Find without a catalogue"
# No epsg-grids.txt in the folder nor beside the program: Find says so, naming the
# file, and the window goes on.
nocat=$work/no-catalogue
mkdir -p "$nocat"
cp "$root"/data/prj-list.txt "$root"/data/gridlist.txt "$root"/data/earth-sz.txt "$nocat/"
printf 'find-grid 2154\nmessages\npick COMBO1 1\ntitle\n' >"$work/no-catalogue.script"
replay "$(winepath -w "$nocat")" "$work/no-catalogue.script" "$work/no-catalogue.out"
status=$?
[ "$status" -eq 0 ] && grep -q '^ALERT Velqora cannot find a grid, .*epsg-grids.txt: the file does not exist' \
  "$work/no-catalogue.out" && [ "$(tail -1 "$work/no-catalogue.out")" = "TITLE Velqora" ]
verdict $? "no catalogue: the ALERT names the file, the window goes on" \
  "no catalogue (exit status $status): $(head -c 300 "$work/no-catalogue.out")"

echo "== layout fit by GDI's text extents"
# The measurement follows picks that fill every list, the grid groups of a long-named
# grid system among them. Wine takes the DPI from the registry when a program starts.
printf 'pick COMBO1 4\npick COMBO3 5\n' >"$work/measure.script"
set_dpi() { wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
for dpi in 96 120 144 192; do
  set_dpi "$dpi"
  out=$work/measure-$dpi.out
  (timeout 60 wine "$replay_exe" --measure "$data_w" <"$work/measure.script" >"$out" 2>"$out.err")
  status=$?
  if [ "$status" -eq 0 ] && grep -q "^MEASURE dpi $dpi " "$out" && [ "$(grep '^FIT ' "$out")" = "FIT OK" ]; then
    pass "layout: $(grep '^MEASURE' "$out" | cut -d' ' -f2-), every text whole, nothing overlaps"
  else
    fail "layout at $dpi DPI (exit status $status): see $out"
    grep -E '^(MEASURE|FIT|FATAL|ERROR)' "$out" | head -12 | sed 's/^/  /'
  fi
done
set_dpi 96

echo "== smoke test of velqora.exe"
# Layout units are hundredths of a logical inch, rounded to the nearest pixel (px).
# shellcheck source=tests/win32/window_input.sh
. "$root/tests/win32/window_input.sh"
client_w=$(px "$(sed -n 's/.*CLIENT_WIDTH_UNITS = \([0-9]*\);.*/\1/p' "$root/window/layout.h")")
client_h=$(px "$(sed -n 's/.*CLIENT_HEIGHT_UNITS = \([0-9]*\);.*/\1/p' "$root/window/layout.h")")
echo "expected client area at 96 DPI: ${client_w}x${client_h} pixels"

# WGS 84, UTM zone 54N, a point typed in decimal degrees, converted to X and Y.
cat >"$work/smoke.script" <<'EOF'
pick COMBO1 2
pick COMBO3 2
pick COMBO2 23
type EDIT20 139.75
type EDIT21 35.6875
press BUTTON2
show
EOF
if [ -x "$linux_build/qt/velqora-replay" ]; then
  QT_QPA_PLATFORM=offscreen "$linux_build/qt/velqora-replay" "$root/data" <"$work/smoke.script" >"$work/smoke.expected" 2>/dev/null
else
  echo "note: no Linux replay tool in $linux_build; the expected X and Y come from velqora-replay.exe"
  replay "$data_w" "$work/smoke.script" "$work/smoke.expected"
fi
want_x=$(sed -n 's/^EDIT22 //p' "$work/smoke.expected")
want_y=$(sed -n 's/^EDIT23 //p' "$work/smoke.expected")
echo "expected X $want_x, Y $want_y"

(cd "$root/data" && exec wine "$window_exe") &
app=$!
window=
for _ in $(seq 300); do
  window=$(xdotool search --onlyvisible --name Velqora 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 0.1
done
if [ -z "$window" ]; then
  fail "smoke: no window named Velqora within 30 s"
else
  sleep 0.5
  title=$(xdotool getwindowname "$window")
  [ "$title" = Velqora ]
  verdict $? "smoke: title \"$title\"" "smoke: title \"$title\", not \"Velqora\""
  # The X window holds the menu bar and below it the client area.
  read -r outer_w outer_h < <(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')
  menu_h=$((outer_h - client_h))
  [ "$outer_w" = "$client_w" ] && [ "$menu_h" -gt 0 ] && [ "$menu_h" -le 40 ]
  verdict $? "smoke: client area ${outer_w}x${client_h} below a menu bar ${menu_h} pixels high" \
    "smoke: window ${outer_w}x${outer_h}, not a client area of ${client_w}x${client_h} below a menu bar"

  read_field() {  # the text of the field at X,Y through the clipboard
    printf '' | xclip -selection clipboard
    click "$1" "$2"
    xdotool key Home shift+End ctrl+c
    sleep 0.3
    xclip -selection clipboard -o 2>/dev/null
  }
  # The replay tool records messages; here one is shown. With no ellipsoid yet the
  # button is refused with a message box titled ALERT. With no window manager the
  # keyboard follows the pointer, not the box, so its OK button is clicked.
  click 487 349           # BUTTON2 at 353,336, 269x26: "By Polar Coordinate(Decimal)"
  alert=
  for _ in $(seq 50); do
    alert=$(xdotool search --onlyvisible --name '^ALERT$' 2>/dev/null | head -1) && [ -n "$alert" ] && break
    sleep 0.1
  done
  if [ -z "$alert" ]; then
    fail "smoke: no ALERT box for a conversion with no ellipsoid"
  else
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$alert")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 22)) click 1
    for _ in $(seq 30); do xdotool search --onlyvisible --name '^ALERT$' >/dev/null 2>&1 || break; sleep 0.1; done
    if xdotool search --onlyvisible --name '^ALERT$' >/dev/null 2>&1; then
      fail "smoke: the ALERT box stays open after a click on OK"
    else
      pass "smoke: a refused conversion opens an ALERT box; OK closes it"
    fi
  fi
  pick 366 192 2          # COMBO1 at 155,181: WGS 84
  pick 503 20 2           # COMBO3 at 370,9: UTM north zones 31-60
  pick 409 54 23          # COMBO2 at 181,43: zone 54
  type_into 533 295 139.75    # EDIT20
  type_into 533 321 35.6875   # EDIT21
  click 487 349           # BUTTON2 at 353,336, 269x26: "By Polar Coordinate(Decimal)"
  got_x=$(read_field 93 381)  # EDIT22
  got_y=$(read_field 93 407)  # EDIT23
  [ -n "$want_x" ] && [ "$got_x" = "$want_x" ]
  verdict $? "smoke: X \"$got_x\"" "smoke: X \"$got_x\", the replay tool gives \"$want_x\""
  [ -n "$want_y" ] && [ "$got_y" = "$want_y" ]
  verdict $? "smoke: Y \"$got_y\"" "smoke: Y \"$got_y\", the replay tool gives \"$want_y\""
  if [ "$got_x" != "$want_x" ] || [ "$got_y" != "$want_y" ]; then
    import -window root "$work/smoke-failed.png" 2>/dev/null && echo "  the screen: $work/smoke-failed.png"
  fi

  # Grid > Find a grid…: Alt+G opens the menu and Enter chooses the item; Escape cancels
  # the dialog. Then Ctrl+F from a field, "lambert 93" and Enter pick Lambert-93 (the
  # window writes the title after the fields; the golden find-grid script checks those).
  # Without a window manager Wine waits 2 s for one each time a window closes.
  find_dialog() { xdotool search --onlyvisible --name '^Find a grid$' 2>/dev/null | head -1; }
  dialog_open() { [ -n "$(find_dialog)" ]; }
  dialog_closed() { [ -z "$(find_dialog)" ]; }
  titled() { [ "$(xdotool getwindowname "$window")" = "$1" ]; }
  within_10s() { for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done; return 1; }
  click 4 4
  xdotool key alt+g
  sleep 0.5
  xdotool key Return
  within_10s dialog_open
  verdict $? "smoke: Alt+G, Enter opens the Find dialog" "smoke: no Find dialog after Alt+G, Enter"
  xdotool mousemove --window "$(find_dialog)" 20 20
  xdotool key Escape
  within_10s dialog_closed
  verdict $? "smoke: Escape closes the Find dialog" "smoke: the Find dialog stays open after Escape"
  click 533 295          # EDIT20
  xdotool key ctrl+f
  if within_10s dialog_open; then
    xdotool mousemove --window "$(find_dialog)" 20 20
    xdotool type --delay 20 "lambert 93"
    xdotool key Return
  fi
  lambert="Velqora - EPSG:2154 RGF93 v1 / Lambert-93"
  within_10s titled "$lambert"
  verdict $? "smoke: Ctrl+F, \"lambert 93\", Enter: the title \"$lambert\"" \
    "smoke: the title \"$(xdotool getwindowname "$window")\" after Ctrl+F, \"lambert 93\", Enter"
  # A point typed and converted keeps the title; typing a scale factor gives it back.
  type_into 533 295 2.35      # EDIT20
  type_into 533 321 48.85     # EDIT21
  click 487 349               # BUTTON2
  sleep 0.5
  titled "$lambert"
  verdict $? "smoke: a conversion keeps the title" "smoke: the title \"$(xdotool getwindowname "$window")\" after a conversion"
  type_into 560 140 0.9996    # EDIT13
  within_10s titled Velqora
  verdict $? "smoke: typing a scale factor gives the title \"Velqora\" back" \
    "smoke: the title \"$(xdotool getwindowname "$window")\" after typing a scale factor"

  # File > Convert a file…: Ctrl+O, the input typed, Enter converts with the window's
  # grid (Lambert-93 as it now stands); the choices dialog, the progress dialog and the
  # summary box come in turn, each a window titled "Convert a file" (and each stays up
  # 2 s after it closes, for want of a window manager); Enter closes the summary.
  printf '2.35,48.85\r\n' >"$work/smoke-points.csv"
  rm -f "$work/smoke-points-converted.csv"
  convert_window() { xdotool search --onlyvisible --name '^Convert a file$' 2>/dev/null | tail -1; }
  convert_open() { [ -n "$(convert_window)" ]; }
  converted() { [ -s "$work/smoke-points-converted.csv" ]; }
  click 533 295          # EDIT20
  xdotool key ctrl+o
  if within_10s convert_open; then
    seen=" $(convert_window) "
    xdotool mousemove --window "$(convert_window)" 20 20
    xdotool type --delay 10 "$(winepath -w "$work/smoke-points.csv")"
    xdotool key Return
  fi
  within_10s converted && grep -q $'^2\\.35,48\\.85,+[0-9.]*,+[0-9.]*\r$' "$work/smoke-points-converted.csv"
  verdict $? "smoke: Ctrl+O, the input typed, Enter: the file converted beside it" \
    "smoke: no smoke-points-converted.csv after Ctrl+O, the input typed, Enter"
  summary=
  for _ in $(seq 60); do
    current=$(convert_window)
    if [ -n "$current" ] && [[ $seen != *" $current "* ]]; then
      seen="$seen$current "
      [ "$(echo "$seen" | wc -w)" -eq 3 ] && summary=$current && break
    fi
    sleep 0.25
  done
  summary_closed() { ! xdotool search --onlyvisible --name '^Convert a file$' 2>/dev/null | grep -qx "$summary"; }
  if [ -n "$summary" ]; then
    sleep 0.5
    xdotool mousemove --window "$summary" 20 20
    xdotool key Return
    within_10s summary_closed
  else
    false
  fi
  verdict $? "smoke: the summary box follows the progress dialog; Enter closes it" \
    "smoke: no summary box after the conversion, or it stays open"

  # Alt+F4 asks the window to close; the program must then end by itself.
  click 4 4
  xdotool key alt+F4
  for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$app" 2>/dev/null; then
    fail "smoke: still running 10 s after Alt+F4"
  else
    wait "$app"
    status=$?
    [ "$status" -eq 0 ]
    verdict $? "smoke: closes on Alt+F4" "smoke: exit status $status after Alt+F4"
  fi
fi

echo "== digits of the Linux and the Windows build"
sweep_exe=$(find_built digit_sweep.exe)
sweep=$linux_build/tools/digit_sweep
if [ -n "$sweep_exe" ] && [ -x "$sweep" ]; then
  if "$root/tools/compare_digits.sh" "$sweep" "$sweep_exe" 2>&1 | sed 's/^/  /'; then
    pass "digits: compare_digits.sh"
  else
    fail "digits: compare_digits.sh"
  fi
else
  [ -n "$sweep_exe" ] || echo "skip: digits: no tools/digit_sweep.exe in $win_build (configure it with -DVELQORA_TOOLS=ON)"
  [ -x "$sweep" ] || echo "skip: digits: no $sweep (configure the Linux build with -DVELQORA_TOOLS=ON)"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
