#!/usr/bin/env bash
# What the desktop clock costs: Nightlatch started with /min (as autostart
# starts it) once with the clock shown and once with it switched off, each
# for SECONDS under Wine in one Xvfb, in a private prefix. Reports the CPU
# of all the program's threads, the CPU per repaint (the clock repaints once
# a second) and the resident memory of both runs.
#   bash scripts/measure-clock.sh [SECONDS]     (default 60)
set -euo pipefail
# shellcheck source=SCRIPTDIR/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
seconds=${1:-60}
build=$build_root/windows-release

if ! under_private_xvfb; then
  "$scripts_dir/install-deps.sh"
  build_release "$build" OFF Nightlatch >/dev/null
  rerun_under_xvfb 1280x1024x24 "$seconds"
fi

export NIGHTLATCH_HEADLESS=1
start_private_prefix
data=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Nightlatch
mkdir -p "$data"

cpu_ns() {  # PID: CPU time of all its threads in nanoseconds
  local sum=0 ran _
  for stat in /proc/"$1"/task/*/schedstat; do
    read -r ran _ < "$stat" && sum=$((sum + ran))
  done
  echo "$sum"
}

# run FLAG -> "cpu_ms rss_kb" over $seconds with ClockFlag FLAG.
run() {
  printf '[Clock]\r\nClockFlag=%s\r\n' "$1" > "$data/config.ini"
  WINEDEBUG=-all wine "$build/Nightlatch.exe" /min >/dev/null 2>&1 &
  local pid=$!
  sleep 3
  alive "$pid" || die "Nightlatch ended before it was measured"
  local before after rss
  before=$(cpu_ns "$pid")
  sleep "$seconds"
  after=$(cpu_ns "$pid")
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
  stop_pid "$pid"
  sleep 0.5
  echo "$(( (after - before) / 1000000 )) $rss"
}

run 0 >/dev/null  # warms the prefix up
read -r off_cpu off_rss < <(run 0)
read -r on_cpu on_rss < <(run 1)
printf 'clock off: CPU %5d ms in %d s  RSS %6d KB\n' "$off_cpu" "$seconds" "$off_rss"
printf 'clock on:  CPU %5d ms in %d s  RSS %6d KB\n' "$on_cpu" "$seconds" "$on_rss"
awk -v on="$on_cpu" -v off="$off_cpu" -v s="$seconds" -v a="$on_rss" -v b="$off_rss" \
  'BEGIN { printf "per repaint: %.2f ms CPU (goal <= 1 ms); memory: +%d KB with the clock\n", (on - off) / s, a - b }'
