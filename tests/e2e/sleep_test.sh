#!/usr/bin/env bash
# A laptop asleep across a reminder's moment: the real Nightlatch.exe is
# stopped (SIGSTOP, by its pid) for 90 s across the reminder, then goes on.
# The missed-runs window must list the reminder within 3 s, and a task due
# after the sleep must still run in its own second.
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
missed_title='错过的任务'
missed_list=1142
program=
end() {
  [ -z "$program" ] || { kill -CONT "$program" 2>/dev/null || true; stop_pid "$program"; }
  timeout 30 wineserver -k >/dev/null 2>&1 || true
}
trap end EXIT

boot_wine_prefix
data="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Nightlatch"
rm -rf "$data"
mkdir -p "$data"
marker="$WINEPREFIX/drive_c/nightlatch-woke.txt"
rm -f "$marker"
printf '@echo ran> C:\\nightlatch-woke.txt\r\n' > "$WINEPREFIX/drive_c/nightlatch-woke.bat"

# The reminder 40 s after the start (a slow first start keeps clear of
# it), in the middle of the sleep; the Open task 20 s after the sleep ends.
start=$(date +%s)
reminder_at=$((start + 40))
open_at=$((reminder_at + 100))
python3 - "$data/helper.dat" "$reminder_at" "$open_at" <<'PY'
import struct, sys
def record(task_id, mode, action, next_run, warn, text):
    units = text.encode('utf-16-le')[:238].ljust(240, b'\0')
    head = struct.pack('<10i', task_id, mode, action, next_run, next_run, 0, 0, warn, next_run, 1)
    return head + b'\0' * 240 + units
with open(sys.argv[1], 'wb') as f:
    f.write(record(1, 1, 8, int(sys.argv[2]), 60, '开会'))
    f.write(record(2, 1, 7, int(sys.argv[3]), 0, 'C:\\nightlatch-woke.bat'))
PY

"$run" "$nightlatch" /min &
program=$!
shown() { timeout --foreground -k 5 10 "$run" "$probe" state "$title" >/dev/null 2>&1 || [ $? -eq 1 ]; }
status=0
wait_until 60 shown || status=$?
expect "the program started" 0 "$status"
until_sleep=$((reminder_at - 10 - $(date +%s)))
expect "the program was up before the sleep" yes "$([ "$until_sleep" -ge 0 ] && echo yes || echo "no: up $((30 - until_sleep)) s after the start")"
[ "$failures" -eq 0 ] || exit 1

# Asleep from 10 s before the reminder for 90 s.
sleep "$until_sleep"
kill -STOP "$program"
sleep 90
kill -CONT "$program"
status=0
timeout --foreground -k 5 10 "$run" "$probe" wait "$missed_title" visible 3000 >/dev/null 2>&1 || status=$?
expect "the missed-runs window appears within 3 s" 0 "$status"
lines=$(timeout --foreground -k 5 10 "$run" "$probe" items "$missed_title" "$missed_list" || true)
echo "missed: $lines"
listed=$(grep -c '开会' <<<"$lines" || true)
expect "it lists the reminder" 1 "$listed"

made() { [ -s "$marker" ]; }
status=0
wait_until $((open_at + 3 - $(date +%s))) made || status=$?
expect "the task after the sleep ran" 0 "$status"
if [ "$status" -eq 0 ]; then
  ran_at=$(stat -c %Y "$marker")
  late=$((ran_at - open_at))
  echo "the Open task's file appeared ${late} s after its moment"
  expect "it ran in its own second" yes "$([ "$late" -le 1 ] && echo yes || echo "no: ${late} s")"
fi
[ "$failures" -eq 0 ]
