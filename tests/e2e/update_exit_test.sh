#!/usr/bin/env bash
# A server that accepts the update check's request and never answers must
# not hold the program: the real Nightlatch.exe, closed while its check
# waits, ends within two seconds. Run under with_update_server.sh.
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
server=${NIGHTLATCH_TEST_UPDATE_DIR:?run under with_update_server.sh}
trap 'timeout 30 wineserver -k >/dev/null 2>&1 || true' EXIT

boot_wine_prefix
# A fresh data folder: no check date, so the check runs at this start.
rm -rf "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Nightlatch"
echo hang > "$server/mode"
rm -f "$server/requests.log"
NIGHTLATCH_UPDATE_SITE=http://127.0.0.1:$NIGHTLATCH_TEST_UPDATE_PORT/exit/ "$run" "$nightlatch" /min &
program=$!
request_arrived() { [ -s "$server/requests.log" ]; }
status=0
wait_until 30 request_arrived || status=$?
expect "the check asked the server" 0 "$status"

timeout --foreground -k 10 20 "$run" "$probe" close "$title" || true
closed=$(date +%s%N)
if wait_until 10 exited "$program"; then
  ended=$(( ($(date +%s%N) - closed) / 1000000 ))
  echo "ended ${ended} ms after WM_CLOSE"
  within=$([ "$ended" -le 2000 ] && echo yes || echo "no: ${ended} ms")
else
  within="still running 10 s later"
  stop_pid "$program"
fi
expect "the program ends within 2 s while the server hangs" yes "$within"
[ "$failures" -eq 0 ]
