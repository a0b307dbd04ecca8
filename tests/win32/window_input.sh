# shellcheck shell=bash
# Sourced: mouse and keyboard on the Velqora window (under Wine, or the Qt one), by
# layout positions in its client area.
# Needs $window, the X window id of the program's top-level window.
# shellcheck disable=SC2154

# Layout units as pixels at window_dpi (default 96) and the layout's scale, to the
# nearest, as unitsToPixels in window/layout.cpp.
layout_h=$(dirname "${BASH_SOURCE[0]}")/../../window/layout.h
layout_scale=$(sed -n 's/.*LAYOUT_SCALE_PERCENT = \([0-9]*\);.*/\1/p' "$layout_h")
px() { awk -v u="$1" -v d="${window_dpi:-96}" -v s="$layout_scale" 'BEGIN { printf "%d", int(u * d * s / 10000 + 0.5) }'; }
# The client area fills the X window below the menu bar.
client_top() {
  local outer
  outer=$(xdotool getwindowgeometry --shell "$window" | sed -n 's/^HEIGHT=//p')
  echo $((outer - $(px "$(sed -n 's/.*CLIENT_HEIGHT_UNITS = \([0-9]*\);.*/\1/p' "$layout_h")")))
}
click() { xdotool mousemove --window "$window" "$(px "$1")" $(($(px "$2") + $(client_top))) click 1; sleep 0.3; }
pick() {  # pick X Y K: open the list whose closed box is at X,Y and choose entry K
  click "$1" "$2"
  xdotool key Home
  for _ in $(seq "$3"); do xdotool key Down; done
  xdotool key Return
  sleep 0.3
}
type_into() { click "$1" "$2"; xdotool key Home shift+End; xdotool type --delay 20 -- "$3"; }
