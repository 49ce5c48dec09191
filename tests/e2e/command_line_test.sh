#!/usr/bin/env bash
# The real Nightlatch.exe in a prefix of its own: one interactive copy at a
# time, a second start brings the first forward (or stays silent with /min),
# unknown switches end at once with 0, and WM_CLOSE ends the program.
set -euo pipefail
nightlatch=$1
probe=$2
# shellcheck source=SCRIPTDIR/../../scripts/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
# shellcheck source=SCRIPTDIR/expect.sh
. "$(dirname "${BASH_SOURCE[0]}")/expect.sh"
run=$scripts_dir/wine-run.sh
export WINEPREFIX=${E2E_PREFIX:?}
title='Orvane定时关机助手'
# The prefix is this test's own, so ending its server ends only what the
# test started, also when a step fails half-way.
trap 'timeout 30 wineserver -k >/dev/null 2>&1 || true' EXIT

# expect_exit DESCRIPTION EXPECTED SECONDS COMMAND...: a program that does not
# end within SECONDS shows as exit code 124 (137 if TERM did not end it).
expect_exit() {
  local description=$1 expected=$2 limit=$3 status=0
  shift 3
  timeout --foreground -k 10 "$limit" "$@" || status=$?
  expect "$description" "$expected" "$status"
}

boot_wine_prefix
"$run" "$nightlatch" /min &
first=$!
expect_exit "first copy started hidden with /min" 0 60 "$run" "$probe" wait "$title" hidden 20000

expect_exit "second copy with /min exits -1" 255 20 "$run" "$nightlatch" /min
expect_exit "first copy stays hidden after a second /min" 1 20 "$run" "$probe" state "$title"

expect_exit "second copy without arguments exits -1" 255 20 "$run" "$nightlatch"
expect_exit "first copy brought forward" 0 30 "$run" "$probe" wait "$title" visible 5000

for argument in /MIN -min /Min; do
  expect_exit "unknown switch $argument exits 0 at once" 0 20 "$run" "$nightlatch" "$argument"
done

# Its own exit code does not count: the first copy's below does.
timeout --foreground -k 10 20 "$run" "$probe" close "$title" || true
status=0
if wait_until 20 exited "$first"; then
  wait "$first" || status=$?
else
  status="still running 20 s later"
  stop_pid "$first"
fi
expect "WM_CLOSE ends the first copy with 0" 0 "$status"

[ "$failures" -eq 0 ]
