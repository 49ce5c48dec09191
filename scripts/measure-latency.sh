#!/usr/bin/env bash
# Measures how late Nightlatch runs a task after its due second, Release
# build under Wine in one Xvfb, against a fresh private prefix. The tasks
# are one-shot Open tasks that start a probe; the probe's process creation
# time is when the task ran (so the probe's own start, also reported, is
# left out). Two runs of the program:
#   steady:  COUNT tasks two seconds apart;
#   burst:   BURST reminders (countdown prompts with their sound) due
#            together, and COUNT tasks from the second right after them.
# Goals: median <= 30 ms, worst <= 100 ms.
#   bash scripts/measure-latency.sh            (COUNT=8 BURST=20)
# With NIGHTLATCH_WINDOWS_BUILD=<folder of Nightlatch.exe and
# latency_probe.exe> it uses that build on the present display, and with
# CHECK=1 it fails unless every task ran in its own second (the end-to-end
# test of the burst).
set -euo pipefail
# shellcheck source=SCRIPTDIR/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
count=${COUNT:-8}
burst=${BURST:-20}
build=${NIGHTLATCH_WINDOWS_BUILD:-$build_root/windows-release}

if [ -n "${NIGHTLATCH_WINDOWS_BUILD:-}" ]; then
  [ -n "${DISPLAY:-}" ] || die "NIGHTLATCH_WINDOWS_BUILD needs a display"
elif ! under_private_xvfb; then
  "$scripts_dir/install-deps.sh"
  build_release "$build" OFF Nightlatch latency_probe program_data >/dev/null
  rerun_under_xvfb 1280x1024x24
fi

export NIGHTLATCH_HEADLESS=1
start_private_prefix
probe_dir=$WINEPREFIX/drive_c/probe
data_dir=$WINEPREFIX/drive_c/users/$(whoami)/AppData/Roaming/Nightlatch
mkdir -p "$probe_dir" "$data_dir"
cp "$build/latency_probe.exe" "$probe_dir/"
failures=0
stamps=$probe_dir/latency-stamps.txt

# run NAME AHEAD STEP BURST: plans the tasks, runs the program past the last
# one, and prints the figures of that run.
run() {
  local name=$1 ahead=$2 step=$3 reminders=$4
  rm -f "$stamps" "$data_dir/helper.dat"
  local due
  due=$(wine "$probe_dir/latency_probe.exe" plan "$(winepath -w "$data_dir/helper.dat")" \
    "$ahead" "$count" "$step" "$reminders" 2>/dev/null | tr -d '\r')
  setsid wine "$build/Nightlatch.exe" /min >/dev/null 2>&1 &
  local program=$!
  local last
  last=$(tail -n 1 <<<"$due")
  # Until every task has run, or a minute past the last due second (a late
  # task shows in the figures, a missed one in the count).
  while [ "$(date +%s%3N)" -lt $((last + 1000)) ]; do sleep 0.2; done
  all_ran() { [ -f "$stamps" ] && [ "$(wc -l <"$stamps")" -ge "$count" ]; }
  wait_until 60 all_ran || true
  stop_pid "$program" group
  [ -f "$stamps" ] || die "$name: no task ran"
  awk -v name="$name" -v expected="$count" -v due="$due" '
    BEGIN { n = split(due, moments, "\n"); for (i = 1; i <= n; i++) planned[moments[i]] = 1 }
    {
      created = $1; second = sprintf("%.0f", int(created / 1000) * 1000)
      if (!(second in planned)) { stray++; next }
      late[++runs] = created - second; own[runs] = $2 - created
    }
    function sort(a, k,   i, j, t) {
      for (i = 2; i <= k; i++) for (j = i; j > 1 && a[j - 1] > a[j]; j--) {
        t = a[j]; a[j] = a[j - 1]; a[j - 1] = t
      }
    }
    END {
      sort(late, runs); sort(own, runs)
      printf "%-7s %d of %d tasks ran (%d outside their second); late: median %d ms, worst %d ms; probe start: median %d ms\n",
        name, runs, expected, stray, late[int((runs + 1) / 2)], late[runs], own[int((runs + 1) / 2)]
      exit runs == expected && stray == 0 ? 0 : 1
    }' "$stamps" || failures=$((failures + 1))
}

run steady 8 2 0
run burst 8 1 "$burst"
if [ "${CHECK:-}" = 1 ] && [ "$failures" -ne 0 ]; then
  die "$failures of the runs had a task missed or run outside its second"
fi
