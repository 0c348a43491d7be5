#!/usr/bin/env bash
# Installs what is missing, builds both presets and runs every test; exits non-zero on any failure.
# Arguments go to both ctest calls: ./test.sh -R engine runs the engine's tests alone.
# The release's own check (the program built twice) runs in release.sh, not here.
set -u
cd "$(dirname "$0")"
. tools/prerequisites.sh
vorlax_install_prerequisites || { echo "test.sh: could not install the prerequisites" >&2; exit 1; }

# Each preset's log stays in its build folder; warnings fail the build itself.
build() {
  local log="build/$1.log"
  mkdir -p build
  cmake --preset "$1" >"$log" 2>&1 || { cat "$log"; return 1; }
  cmake --build --preset "$1" >>"$log" 2>&1 || { cat "$log"; return 1; }
}

build native || { echo "test.sh: the native build failed" >&2; exit 1; }
build windows || { echo "test.sh: the windows build failed" >&2; exit 1; }

status=0
ctest --preset native "$@" || status=1
ctest --preset windows "$@" || status=1
exit $status
