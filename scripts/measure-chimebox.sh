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
# shellcheck source=SCRIPTDIR/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
runs=${RUNS:-41}
build=$build_root/chimebox-release

if ! under_private_xvfb; then
  "$scripts_dir/install-deps.sh"
  build_release "$build" ON Chimebox chimebox_idle_wait bare_window bare_window_startup >/dev/null
  rerun_under_xvfb 1280x1024x24
fi

export NIGHTLATCH_HEADLESS=1
start_private_prefix

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
