#!/usr/bin/env bash
# Starts or stops the Wine session of a test run: the prefix (made on first use),
# a virtual X display, and one persistent wineserver that every test shares. With DPI,
# the prefix's display has that many dots per inch (96 otherwise).
#   wine-session.sh start|stop|prefix STATE_DIR [DPI]
set -u
here=$(cd "$(dirname "$0")" && pwd)
mode=$1
state=$(mkdir -p "$2" && cd "$2" && pwd)
# A session started with a DPI keeps it for the prefix that the tests' runner may make.
[ -n "${3:-}" ] && echo "$3" >"$state/dpi"
dpi=$(cat "$state/dpi" 2>/dev/null || echo 96)
. "$here/wine-env.sh" "$state"

make_prefix() {
  [ -f "$WINEPREFIX/.vorlax-ready" ] && return 0
  rm -rf "$WINEPREFIX"
  "$wine_bin" wineboot -i >"$state/wineboot.log" 2>&1
  # Classic-drawn controls, as on Windows for a program without a common-controls 6
  # manifest; and no two-second wait for a window manager whenever a window closes.
  "$wine_bin" reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' \
      /v ThemeActive /t REG_SZ /d 0 /f >>"$state/wineboot.log" 2>&1
  "$wine_bin" reg add 'HKCU\Software\Wine\X11 Driver' \
      /v Managed /t REG_SZ /d N /f >>"$state/wineboot.log" 2>&1
  "$wine_bin" reg add 'HKCU\Control Panel\Desktop' \
      /v LogPixels /t REG_DWORD /d "$dpi" /f >>"$state/wineboot.log" 2>&1
  "$wineserver_bin" -w
  touch "$WINEPREFIX/.vorlax-ready"
}

start_display() {
  # Xvfb claims a free display number itself, through its lock file, and writes it down
  # once it takes connections: two sessions started at once (CTest starts the 96 and the
  # 144 dpi ones side by side) never share a display that one of them then stops.
  local n
  rm -f "$state/display.number"
  setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
      3>"$state/display.number" </dev/null >"$state/xvfb.log" 2>&1 &
  echo $! >"$state/xvfb.pid"
  for _ in $(seq 1 100); do
    n=$(cat "$state/display.number" 2>/dev/null)
    [ -n "$n" ] && { echo ":$n" >"$state/display"; return 0; }
    kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null || break
    sleep 0.1
  done
  stop_display
  echo "wine-session: Xvfb did not start (see $state/xvfb.log)" >&2
  return 1
}

stop_display() {
  if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null
    rm -f "$state/xvfb.pid"
  fi
  rm -f "$state/display"
}

case "$mode" in
  prefix)
    make_prefix ;;
  start)
    stop_display
    "$wineserver_bin" -k 2>/dev/null
    make_prefix || { echo "wine-session: could not make the prefix (see $state/wineboot.log)" >&2; exit 1; }
    start_display || exit 1
    export DISPLAY
    DISPLAY=$(cat "$state/display")
    setsid "$wineserver_bin" -p </dev/null >/dev/null 2>&1
    # The first program of a session starts Wine's services; started here, they hold
    # no test's output open and no test pays for them.
    "$wine_bin" cmd /c exit </dev/null >/dev/null 2>&1
    echo "wine session: prefix $WINEPREFIX, display $(cat "$state/display")" ;;
  stop)
    "$wineserver_bin" -k 2>/dev/null
    "$wineserver_bin" -w 2>/dev/null
    stop_display
    echo "wine session stopped" ;;
  *)
    echo "usage: wine-session.sh start|stop|prefix STATE_DIR [DPI]" >&2; exit 2 ;;
esac
