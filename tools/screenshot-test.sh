#!/usr/bin/env bash
# CTest's screenshot check: the real program on the sample tree, photographed idle and
# running into BUILD_DIR/SHOTS; afterwards the tree must be flat and the undo script present.
#   tools/screenshot-test.sh BUILD_DIR [SHOTS STATE]
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
# The tree lies in a folder of its own: a program that took the tree's parent for the
# folder to flatten would flatten that folder, never the temporary folder of the machine.
holder=$(mktemp -d)
tree="$holder/sample"
"$here/sample-tree.sh" "$tree"
shots="$build/${2:-screenshots}"
"$here/screenshots.sh" "$build" "$tree" "$shots" "${3:-$build/wine}" || { rm -rf "$holder"; exit 1; }
status=0
# A folder that held only folders stays, empty.
left=$(cd "$tree" && find . -mindepth 1 -type d)
[ "$left" = "./Photos 2019" ] || { echo "folders left after the run: $left" >&2; status=1; }
[ -f "$tree/undo 'Kellerup'.bat" ] || { echo "no undo script" >&2; status=1; }
[ -f "$tree/Photos 2019 winter img_001.jpg" ] || { echo "the conflict did not rename" >&2; ls "$tree" >&2; status=1; }
for shot in idle running; do
  size=$(identify -format '%wx%h' "$shots/$shot.png" 2>/dev/null)
  echo "$shot.png: $size"
  [ -n "$size" ] || status=1
done
rm -rf "$holder"
exit $status
