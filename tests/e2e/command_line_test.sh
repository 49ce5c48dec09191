#!/usr/bin/env bash
# The real Nightlatch.exe in a prefix of its own: one interactive copy at a
# time, a second start brings the first forward (or stays silent with /min),
# unknown switches end at once with 0, and WM_CLOSE ends the program.
set -u
nightlatch=$1
probe=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
run=$here/../../scripts/wine-run.sh
export WINEPREFIX=${E2E_PREFIX:?}
title='Orvane定时关机助手'
failures=0

expect() {  # description, expected, actual
  if [ "$2" = "$3" ]; then
    echo "ok: $1"
  else
    echo "FAILED: $1: expected $2, got $3"
    failures=$((failures + 1))
  fi
}

"$run" wineboot >/dev/null 2>&1
"$run" "$nightlatch" /min &
first=$!
"$run" "$probe" wait "$title" hidden 20000
expect "first copy started hidden with /min" 0 $?

"$run" "$nightlatch" /min
expect "second copy with /min exits -1" 255 $?
"$run" "$probe" state "$title"
expect "first copy stays hidden after a second /min" 1 $?

"$run" "$nightlatch"
expect "second copy without arguments exits -1" 255 $?
"$run" "$probe" wait "$title" visible 5000
expect "first copy brought forward" 0 $?

for argument in /MIN -min /Min; do
  timeout 20 "$run" "$nightlatch" "$argument"
  expect "unknown switch $argument exits 0 at once" 0 $?
done

"$run" "$probe" close "$title"
wait "$first"
expect "WM_CLOSE ends the first copy with 0" 0 $?

wineserver -k >/dev/null 2>&1
[ "$failures" -eq 0 ]
