#!/usr/bin/env bash
# CTest's emulator for Windows test programs: runs one under the build tree's Wine session.
#   wine-run.sh STATE_DIR PROGRAM.exe [ARGS...]
here=$(cd "$(dirname "$0")" && pwd)
state=$1; shift
mkdir -p "$state"
. "$here/wine-env.sh" "$state"
[ -f "$WINEPREFIX/.vorlax-ready" ] || "$here/wine-session.sh" prefix "$state" || exit 1
# Wine starts helper processes (services, the desktop) that live on after the test and
# would hold CTest's output pipe open; so the output goes through a file instead.
output=$(mktemp "$state/output.XXXXXX")
"$wine_bin" "$@" </dev/null >"$output" 2>&1
status=$?
grep -v -E '^wine: Read access denied for device' "$output"
# A failure that printed nothing at all never reached the program's first line: say so,
# with what Wine returned, instead of leaving an empty log.
[ $status -ne 0 ] && [ ! -s "$output" ] && echo "wine-run: $1 ended with status $status and printed nothing" >&2
rm -f "$output"
exit $status
