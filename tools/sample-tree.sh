#!/usr/bin/env bash
# Makes a small sample tree to flatten: nested folders, a name conflict and a thumbnail cache.
#   tools/sample-tree.sh FOLDER
set -eu
root=$1
mkdir -p "$root/Photos 2019/summer" "$root/Photos 2019/winter" "$root/Downloads/old"
echo "sunset"  >"$root/Photos 2019/summer/img_001.jpg"
echo "beach"   >"$root/Photos 2019/summer/img_002.jpg"
echo "cache"   >"$root/Photos 2019/summer/Thumbs.db"
echo "snow"    >"$root/Photos 2019/winter/img_001.jpg"
echo "report"  >"$root/Downloads/report 100%.pdf"
echo "setup"   >"$root/Downloads/old/setup.exe"
echo "notes"   >"$root/notes.txt"
