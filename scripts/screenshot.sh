#!/usr/bin/env bash
# Starts a Windows program under Xvfb in a Wine prefix, waits, and writes a
# screenshot of the whole screen:
#   screenshot.sh OUT.png SECONDS PROGRAM [ARGS...]
# The prefix is $WINEPREFIX (made on first use). The program is ended after
# the shot.
set -euo pipefail
# shellcheck source=SCRIPTDIR/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
out=$1
seconds=$2
shift 2
: "${WINEPREFIX:?set WINEPREFIX}"
export WINEPREFIX NIGHTLATCH_HEADLESS=1

# The program runs in a process group of its own, so that ending the group
# ends what it started too, and nothing else that runs in the prefix.
shoot() {
  boot_wine_prefix  # the prefix is ready before the clock starts
  setsid "$scripts_dir/wine-run.sh" "$@" &
  program=$!
  trap 'stop_pid "$program" group' EXIT
  sleep "$seconds"
  import -window root "$out"
}

if under_private_xvfb; then
  shoot "$@"
else
  rerun_under_xvfb 1024x768x24 "$out" "$seconds" "$@"
fi
