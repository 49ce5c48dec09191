#!/usr/bin/env bash
# Builds the Windows programs (Release) and starts Nightlatch under Wine: on
# the X display in $DISPLAY, or, with no display, under Xvfb with a
# screenshot written to build/nightlatch-screen.png. Arguments are passed on
# (for example /min). The Wine prefix is $WINEPREFIX, by default
# ~/.nightlatch-wine, prepared on first use with Chinese fonts; Wine's own
# explorer hosts the notification-area icon.
set -euo pipefail
# shellcheck source=SCRIPTDIR/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
build=$build_root/windows-release
program=$build/Nightlatch.exe
screen=$root_dir/build/nightlatch-screen.png
export WINEPREFIX=${WINEPREFIX:-$HOME/.nightlatch-wine}

# On Xvfb no one sees the window, so a screenshot shows how it came up.
inner() {
  export NIGHTLATCH_HEADLESS=1
  boot_wine_prefix
  "$scripts_dir/wine-run.sh" "$program" "$@" &
  local running=$!
  trap 'stop_pid "$running"' EXIT
  sleep 8
  import -window root "$screen"
  echo "No display: Nightlatch runs under Xvfb; screenshot in $screen. Ctrl-C ends it."
  # The one wait without a limit: the user ends the program (Ctrl-C), or
  # NIGHTLATCH_RUN_SECONDS ends it after so many seconds.
  if [ -n "${NIGHTLATCH_RUN_SECONDS:-}" ]; then
    wait_until "$NIGHTLATCH_RUN_SECONDS" exited "$running" || true
  else
    wait "$running"
  fi
}

if under_private_xvfb; then
  inner "$@"
  exit
fi

"$scripts_dir/install-deps.sh"
build_release "$build" OFF
if [ -n "${DISPLAY:-}" ]; then
  exec "$scripts_dir/wine-run.sh" "$program" "$@"
fi
rerun_under_xvfb 1024x768x24 "$@"
