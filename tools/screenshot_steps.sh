# shellcheck shell=bash
# Sourced by tools/screenshot.sh and tools/screenshot-windows.sh: the steps both take in
# the running window ($window, its X id; $window_dpi), by layout positions.
# photograph PICTURE FIND-PICTURE NAME: a point converted there and back, the window's
# picture, and at 96 DPI the Find dialog's with "lambert 93" typed.
# shellcheck source=tests/win32/window_input.sh
. tests/win32/window_input.sh

photograph() {
  local picture=$1 find_picture=$2 name=$3 dialog=
  pick 366 192 2                # COMBO1, the ellipsoid list: WGS 84
  pick 503 20 1                 # COMBO3, the grid-system list: UTM north zones 1-30
  pick 409 54 1                 # COMBO2, the grid-group list: zone 2N
  type_into 533 295 -170.5      # EDIT20, the longitude in decimal degrees
  type_into 533 321 52.25       # EDIT21, the latitude
  click 487 349                 # "By Polar Coordinate(Decimal)": X, Y and the derived values
  click 143 435                 # "By Rectangular Coordinate": back, with the residuals
  sleep 0.5
  import -window "$window" "$picture"
  echo "wrote $picture"

  [ "${window_dpi:-96}" = 96 ] || return 0
  xdotool key ctrl+f
  for _ in $(seq 100); do
    dialog=$(xdotool search --onlyvisible --name '^Find a grid$' 2>/dev/null | head -1) && [ -n "$dialog" ] && break
    sleep 0.1
  done
  [ -n "$dialog" ] || { echo "$name: the Find dialog did not open" >&2; return 1; }
  # Without a window manager the keyboard follows the pointer.
  xdotool mousemove --window "$dialog" 20 20
  xdotool type --delay 20 "lambert 93"
  sleep 0.5
  import -window "$dialog" "$find_picture"
  echo "wrote $find_picture"
}
