#!/usr/bin/env bash
# Builds VORLAX and runs it under Wine on FOLDER (a Linux path or a Windows path);
# without FOLDER the program asks for one with its browse dialog. --demo flattens a sample
# tree on a virtual display and shows the tree before and after, the undo script and
# screenshots of the window.
#   ./vorlax.sh [FOLDER | --demo]
set -u
cd "$(dirname "$0")"
root=$(pwd)
. tools/prerequisites.sh
vorlax_install_prerequisites || { echo "vorlax.sh: could not install the prerequisites" >&2; exit 1; }

targets=(vorlax)
[ "${1:-}" = "--demo" ] && targets+=(vorlax_driver_program)
mkdir -p build
{ cmake --preset windows && cmake --build --preset windows --target "${targets[@]}"; } >build/vorlax.log 2>&1 \
  || { cat build/vorlax.log; echo "vorlax.sh: the build failed" >&2; exit 1; }

state="$root/build/windows/wine"
if [ "${1:-}" = "--demo" ]; then
  # In a folder of its own, so that the demo never reaches beyond it.
  tree="$(mktemp -d /tmp/vorlax-demo.XXXXXX)/sample"
  shots="$root/build/windows/demo-screenshots"
  tools/sample-tree.sh "$tree"
  echo "== The sample tree, before ($tree):"
  (cd "$tree" && find . -mindepth 1 | sort)
  "$root/cmake/wine-session.sh" start "$state" >/dev/null || exit 1
  tools/screenshots.sh "$root/build/windows" "$tree" "$shots"
  status=$?
  "$root/cmake/wine-session.sh" stop "$state" >/dev/null
  echo
  echo "== After VORLAX (on conflict renaming, undo script on):"
  (cd "$tree" && find . -mindepth 1 | sort)
  echo
  echo "== undo 'Kellerup'.bat:"
  tr -d '\r' <"$tree/undo 'Kellerup'.bat" 2>/dev/null
  echo
  echo "== Screenshots: $shots/idle.png and $shots/running.png"
  echo "   The flattened sample tree stays in $tree."
  exit $status
fi

user_display=${DISPLAY:-}
"$root/cmake/wine-session.sh" stop "$state" >/dev/null 2>&1
"$root/cmake/wine-session.sh" prefix "$state" || { echo "vorlax.sh: could not make the Wine prefix" >&2; exit 1; }
. "$root/cmake/wine-env.sh" "$state"

if [ -n "$user_display" ]; then
  export DISPLAY=$user_display
else
  "$root/cmake/wine-session.sh" start "$state" >/dev/null || exit 1
  export DISPLAY
  DISPLAY=$(cat "$state/display")
  echo "No display here: VORLAX runs on the virtual display $DISPLAY, where nobody can see it."
  echo "Stop it with:  WINEPREFIX=$WINEPREFIX $wineserver_bin -k"
fi

args=()
if [ $# -gt 0 ]; then
  folder=$1
  # A Linux path that exists is handed over in its Windows form (Z:\...).
  if [ -e "$folder" ]; then
    folder=$(winepath -w "$(realpath "$folder")" 2>/dev/null)
  fi
  args=("$folder")
fi
"$wine_bin" "$root/build/windows/vorlax.exe" "${args[@]}"
status=$?
[ -n "$user_display" ] || "$root/cmake/wine-session.sh" stop "$state" >/dev/null
exit $status
