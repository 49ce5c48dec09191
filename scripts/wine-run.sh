#!/usr/bin/env bash
# Runs a Windows program under Wine in $WINEPREFIX and returns the program's
# exit code. A new prefix gets Chinese font replacements; with
# NIGHTLATCH_HEADLESS=1 (Xvfb, no window manager) Wine also draws its own
# window frames instead of waiting for a manager.
set -u
: "${WINEPREFIX:=${HOME}/.nightlatch-wine}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/.nightlatch-ready" ]; then
    wineboot -i >/dev/null 2>&1
    wine regedit "$(winepath -w "$here/wine-prefix.reg" 2>/dev/null)" >/dev/null 2>&1
    if [ "${NIGHTLATCH_HEADLESS:-}" = 1 ]; then
      wine regedit "$(winepath -w "$here/wine-headless.reg" 2>/dev/null)" >/dev/null 2>&1
    fi
    wineserver -w
    touch "$WINEPREFIX/.nightlatch-ready"
  fi
) 9>"$WINEPREFIX.lock"
wine "$@"
