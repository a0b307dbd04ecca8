# shellcheck shell=bash
# Sourced: mouse and keyboard on the Velqora window under Wine, by layout positions.
# Needs $window, the X window id of the program's top-level window.
# shellcheck disable=SC2154

# Layout units as pixels at window_dpi (default 96) and the layout's scale, to the
# nearest, as unitsToPixels in window/layout.cpp.
layout_scale=$(sed -n 's/.*LAYOUT_SCALE_PERCENT = \([0-9]*\);.*/\1/p' "$(dirname "${BASH_SOURCE[0]}")/../../window/layout.h")
px() { awk -v u="$1" -v d="${window_dpi:-96}" -v s="$layout_scale" 'BEGIN { printf "%d", int(u * d * s / 10000 + 0.5) }'; }
click() { xdotool mousemove --window "$window" "$(px "$1")" "$(px "$2")" click 1; sleep 0.3; }
pick() {  # pick X Y K: open the list whose closed box is at X,Y and choose entry K
  click "$1" "$2"
  xdotool key Home
  for _ in $(seq "$3"); do xdotool key Down; done
  xdotool key Return
  sleep 0.3
}
type_into() { click "$1" "$2"; xdotool key Home shift+End; xdotool type --delay 20 -- "$3"; }
