#!/usr/bin/env bash
# The same sources give the same program wherever they lie: copies the sources to another
# folder, builds the English program there in another build folder with this build's
# settings, and compares it byte for byte with this build's program.
#   reproducible-build-test.sh PROGRAM SOURCE_DIR WORK_DIR BUILD_TYPE HOME_PAGE GOOGLETEST_DIR
set -u
program=$1 source=$2 work=$3 type=$4 home=$5 googletest=$6
rm -rf "$work"
mkdir -p "$work/sources"
# Build output and releases are no part of the sources.
tar -C "$source" --exclude=./build --exclude=./dist --exclude=./.git -cf - . | tar -C "$work/sources" -xf - \
  || { echo "could not copy the sources"; exit 1; }
if ! { cmake -S "$work/sources" -B "$work/elsewhere" -G Ninja \
         -DCMAKE_TOOLCHAIN_FILE="$work/sources/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE="$type" \
         -DVORLAX_HOME_PAGE="$home" -DVORLAX_GOOGLETEST_DIR="$googletest" \
       && cmake --build "$work/elsewhere" --target vorlax; } >"$work/build.log" 2>&1; then
  cat "$work/build.log"
  echo "the second build failed"
  exit 1
fi
if ! cmp "$program" "$work/elsewhere/vorlax.exe"; then
  echo "vorlax.exe differs when built from $work/sources in $work/elsewhere; differing bytes:"
  cmp -l "$program" "$work/elsewhere/vorlax.exe" | head -20
  exit 1
fi
echo "vorlax.exe is the same, byte for byte, from $work/sources"
rm -rf "$work"
