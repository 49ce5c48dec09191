#!/usr/bin/env bash
# Builds the Windows programs (Release) and starts Nightlatch under Wine: on
# the X display in $DISPLAY, or, with no display, under Xvfb with a
# screenshot written to build/nightlatch-screen.png. Arguments are passed on
# (for example /min). The Wine prefix is $WINEPREFIX, by default
# ~/.nightlatch-wine, prepared on first use with Chinese fonts; Wine's own
# explorer hosts the notification-area icon.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${NIGHTLATCH_BUILD_DIR:-$root/build}/windows-release

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build"

export WINEPREFIX=${WINEPREFIX:-$HOME/.nightlatch-wine}
program=$build/Nightlatch.exe

if [ -n "${DISPLAY:-}" ] && [ "${NIGHTLATCH_RUN_INNER:-}" != 1 ]; then
  exec "$root/scripts/wine-run.sh" "$program" "$@"
fi

screen=$root/build/nightlatch-screen.png
export NIGHTLATCH_HEADLESS=1
inner() {
  "$root/scripts/wine-run.sh" wineboot >/dev/null 2>&1
  "$root/scripts/wine-run.sh" "$program" "$@" &
  local running=$!
  sleep 8
  import -window root "$screen"
  echo "No display: Nightlatch runs under Xvfb; screenshot in $screen. Ctrl-C ends it."
  wait "$running"
}
if [ "${NIGHTLATCH_RUN_INNER:-}" = 1 ]; then
  inner "$@"
else
  NIGHTLATCH_RUN_INNER=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
