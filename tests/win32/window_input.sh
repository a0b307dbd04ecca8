# shellcheck shell=bash
# Sourced: mouse and keyboard on the Velqora window under Wine, by layout positions.
# Needs $window, the X window id of the program's top-level window.
# shellcheck disable=SC2154

# Layout units (hundredths of a logical inch) as pixels at 96 DPI, to the nearest.
px() { awk -v u="$1" 'BEGIN { printf "%d", int(u * 96 / 100 + 0.5) }'; }
click() { xdotool mousemove --window "$window" "$(px "$1")" "$(px "$2")" click 1; sleep 0.3; }
pick() {  # pick X Y K: open the list whose closed box is at X,Y and choose entry K
  click "$1" "$2"
  xdotool key Home
  for _ in $(seq "$3"); do xdotool key Down; done
  xdotool key Return
  sleep 0.3
}
type_into() { click "$1" "$2"; xdotool key Home shift+End; xdotool type --delay 20 -- "$3"; }
