#!/usr/bin/env bash
# Runs the real program on FOLDER through the driver, inside a Wine virtual desktop (which
# draws the caption where no window manager runs), and saves PNG screenshots of the idle
# and the running window into SHOTS. STATE is the Wine session to use (BUILD_DIR/wine when
# not given).
#   tools/screenshots.sh BUILD_DIR FOLDER SHOTS [STATE]
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
folder=$2
shots=$(mkdir -p "$3" && cd "$3" && pwd)
state=${4:-$build/wine}
. "$here/../cmake/wine-env.sh" "$state"
if [ -z "${DISPLAY:-}" ]; then
  echo "screenshots: no display; start the Wine session first (cmake/wine-session.sh start $state)" >&2
  exit 1
fi
rm -f "$shots"/*.request "$shots"/*.done "$shots"/*.png "$shots/finished"

"$wine_bin" explorer /desktop=vorlax,800x450 "$build/tools/vorlax_driver.exe" \
  "$build/vorlax.exe" "$folder" "$shots" </dev/null >"$shots/driver.log" 2>&1 &
driver=$!

# The virtual desktop is a window of its own on the display; shots are cut from it.
shoot() {
  local moment=$1 x y w h desktop
  read -r x y w h <"$shots/$moment.request"
  desktop=$(xwininfo -root -tree 2>/dev/null | awk '/"vorlax - Wine desktop"/ {print $1; exit}')
  if [ -n "$desktop" ]; then
    import -window "$desktop" -crop "${w}x${h}+${x}+${y}" +repage "$shots/$moment.png" 2>/dev/null
  else
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$shots/$moment.png" 2>/dev/null
  fi
  touch "$shots/$moment.done"
}

for _ in $(seq 1 1200); do
  for moment in idle running; do
    if [ -f "$shots/$moment.request" ] && [ ! -f "$shots/$moment.done" ]; then shoot "$moment"; fi
  done
  [ -f "$shots/finished" ] && break
  kill -0 "$driver" 2>/dev/null || break
  sleep 0.05
done
sleep 0.5
kill "$driver" 2>/dev/null
wait "$driver" 2>/dev/null
status=1
[ "$(cat "$shots/finished" 2>/dev/null)" = "0" ] && status=0
grep -v -E '^wine: Read access denied' "$shots/driver.log"
rm -f "$shots"/*.request "$shots"/*.done "$shots/driver.log" "$shots/finished"
for moment in idle running; do
  [ -s "$shots/$moment.png" ] || { echo "screenshots: no $moment.png" >&2; status=1; }
done
exit $status
