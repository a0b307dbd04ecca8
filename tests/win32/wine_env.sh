# shellcheck shell=bash
# Sourced by the Windows tests and tools/screenshot-windows.sh:
#   . tests/win32/wine_env.sh BUILD-DIR
# Runs Wine in a prefix of its own under BUILD-DIR (made once, so a clean build folder
# starts from a clean prefix), quiet, without the Mono and Gecko installers, on one
# virtual X server with a free display. On exit the X server and the prefix's
# wineserver, with every program still running in it, are stopped.
# Defines wine_cleanup, which an EXIT trap of the caller's own must call.

wine_build=$(cd "$1" && pwd)
export WINEPREFIX=$wine_build/wineprefix
# A 64-bit build (tools/build-windows.sh --64) runs with Wine's 64-bit loader: "wine"
# would start the 32-bit one first, which a machine without 32-bit support cannot run.
if file -b "$(find "$wine_build" -name velqora.exe -not -path '*/wineprefix/*' | head -1)" | grep -q '^PE32+'; then
  mkdir -p "$wine_build/wine64-loader"
  for name in wine wine-stable; do
    printf '#!/bin/sh\nexport WINELOADER=/usr/lib/wine/wine64\nexec /usr/lib/wine/wine64 "$@"\n' \
      >"$wine_build/wine64-loader/$name"
    chmod +x "$wine_build/wine64-loader/$name"
  done
  export PATH=$wine_build/wine64-loader:$PATH
fi
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine takes its code page from the Unix locale: Windows-1252, as on a Western
# European Windows, and UTF-8 file names on the Unix side.
export LC_ALL=C.UTF-8
unset LANG LANGUAGE

wine_cleanup() {
  wineserver -k 2>/dev/null || true
  if [ -n "${wine_xvfb:-}" ]; then
    kill "$wine_xvfb" 2>/dev/null || true
    wait "$wine_xvfb" 2>/dev/null || true
  fi
  rm -f "${wine_displayfile:-}"
}
trap wine_cleanup EXIT

# The virtual X server picks a free display itself and writes its number.
wine_displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 2560x1600x24 -nolisten tcp 3>"$wine_displayfile" >/dev/null 2>&1 &
wine_xvfb=$!
for _ in $(seq 100); do [ -s "$wine_displayfile" ] && break; sleep 0.1; done
[ -s "$wine_displayfile" ] || { echo "wine_env: Xvfb did not start" >&2; exit 1; }
DISPLAY=":$(head -1 "$wine_displayfile")"
export DISPLAY

# A new prefix takes some 15 s; a program's first run in an unready prefix may lose
# its standard output. The window's sizes are checked at 96 DPI, so that is set rather
# than left to what Wine reads from the X server. velqora-replay.exe shows its window;
# with no window manager Wine waits 2 s at its end for a manager to withdraw it, unless
# Wine manages that window itself.
if [ ! -f "$WINEPREFIX/velqora-prepared" ]; then
  echo "wine_env: preparing the Wine prefix $WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\AppDefaults\velqora-replay.exe\X11 Driver' /v Managed /t REG_SZ /d N /f \
    >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/velqora-prepared"
fi
