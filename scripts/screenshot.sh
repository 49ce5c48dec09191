#!/usr/bin/env bash
# Starts a Windows program under Xvfb in a Wine prefix, waits, and writes a
# screenshot of the whole screen:
#   screenshot.sh OUT.png SECONDS PROGRAM [ARGS...]
# The prefix is $WINEPREFIX (made on first use). The program is ended after
# the shot.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out=$1
seconds=$2
shift 2
: "${WINEPREFIX:?set WINEPREFIX}"
export WINEPREFIX NIGHTLATCH_HEADLESS=1

shoot() {
  "$here/wine-run.sh" wineboot >/dev/null 2>&1  # the prefix is ready before the clock starts
  "$here/wine-run.sh" "$@" &
  local program=$!
  sleep "$seconds"
  import -window root "$out"
  wineserver -k >/dev/null 2>&1 || true
  wait "$program" 2>/dev/null || true
}

if [ "${1:-}" = --inner ]; then
  shift
  shoot "$@"
else
  xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$out" "$seconds" --inner "$@"
fi
