#!/usr/bin/env bash
# Runs a Windows program under Wine in $WINEPREFIX (made on first use, with
# Chinese font replacements and no window-manager wait) and returns the
# program's exit code.
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
    wineserver -w
    touch "$WINEPREFIX/.nightlatch-ready"
  fi
) 9>"$WINEPREFIX.lock"
wine "$@"
