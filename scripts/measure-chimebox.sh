#!/usr/bin/env bash
# Measures Chimebox.exe against the barest hidden-window MinGW program, all
# Release builds under Wine in one Xvfb: how long a starter waits in
# WaitForInputIdle after CreateProcessW (median of RUNS starts each, taking
# turns, as Nightlatch starts Chimebox), and the size of Chimebox.exe. The
# goal is a wait of at most 1.1 times the bare program's and a program of at
# most 400 KB. A second yardstick makes the start-up calls Chimebox must make
# before its frame (COM, common controls, manifest), to tell their share.
#   bash scripts/measure-chimebox.sh            (RUNS=41)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
runs=${RUNS:-41}
build=${NIGHTLATCH_BUILD_DIR:-$root/build}/chimebox-release

if [ "${MEASURE_INNER:-}" != 1 ]; then
  "$root/scripts/install-deps.sh"
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON >/dev/null
  cmake --build "$build" --target Chimebox chimebox_idle_wait bare_window bare_window_startup >/dev/null
  MEASURE_INNER=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0"
fi

export WINEPREFIX
WINEPREFIX=$(mktemp -d)/prefix
export NIGHTLATCH_HEADLESS=1
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$(dirname "$WINEPREFIX")"' EXIT
"$root/scripts/wine-run.sh" wineboot >/dev/null 2>&1
wineserver -w
wineserver -p  # one server for all runs, so no run pays for starting it

# Wine's sound drivers complain on stderr when there is no sound card.
results=$(WINEDEBUG=-all wine "$build/tests/chimebox/chimebox_idle_wait.exe" "$runs" \
  "$build/tests/chimebox/bare_window.exe" "$build/tests/chimebox/bare_window_startup.exe" \
  "$build/Chimebox.exe" 2>/dev/null | tr -d '\r')
echo "$results"
wait_of() { awk -v name="$1" '$1 == name {print $4}' <<<"$results"; }
awk -v c="$(wait_of Chimebox.exe)" -v b="$(wait_of bare_window.exe)" \
  -v s="$(wait_of bare_window_startup.exe)" 'BEGIN {
    printf "idle wait ratio Chimebox / bare: %.2f (goal <= 1.10)\n", c / b
    printf "idle wait ratio Chimebox / bare with the start-up calls: %.2f\n", c / s
  }'
printf 'Chimebox.exe %d bytes (goal <= 409600)\n' "$(stat -c %s "$build/Chimebox.exe")"
