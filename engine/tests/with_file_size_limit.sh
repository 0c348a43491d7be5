#!/usr/bin/env bash
# Runs a command under a file size limit (in KB), as a full disk would stop the undo script.
#   with_file_size_limit.sh KB COMMAND...
# SIGXFSZ is ignored, so that a write past the limit fails instead of ending the process.
limit=$1; shift
trap '' XFSZ
ulimit -f "$limit" || exit 1
export VORLAX_FILE_SIZE_LIMIT=$((limit * 1024))
exec "$@"
