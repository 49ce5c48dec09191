#!/usr/bin/env bash
# Measures Nightlatch.exe against a bare MinGW dialog program with a
# one-second timer, both Release builds under Wine in one Xvfb: time from
# start to the visible main window (median of RUNS starts), CPU used over
# SECONDS of idle running (CPU of all the program's threads), resident
# memory, and the sizes of the programs. Nightlatch is measured twice: with
# its window open, and started with /min as autostart starts it, hidden in
# the notification area.
#   bash scripts/measure-shell.sh [SECONDS]     (default 60; RUNS=5)
set -euo pipefail
# shellcheck source=SCRIPTDIR/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
seconds=${1:-60}
runs=${RUNS:-5}
build=$build_root/windows-release

if ! under_private_xvfb; then
  "$scripts_dir/install-deps.sh"
  command -v xdotool >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq xdotool >/dev/null
  build_release "$build" OFF Nightlatch baseline_dialog >/dev/null
  rerun_under_xvfb 1280x1024x24 "$seconds"
fi

export NIGHTLATCH_HEADLESS=1
start_private_prefix

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

window_shown() {  # TITLE
  xdotool search --onlyvisible --name "$1" >/dev/null 2>&1
}

# start_ms PROGRAM TITLE -> milliseconds until a visible window has TITLE.
# The pid wine was started with is the program's Windows process.
start_ms() {
  local t0 t1
  t0=$(now_ms)
  WINEDEBUG=-all wine "$1" >/dev/null 2>&1 &
  local program=$!
  if ! poll_until 0.005 30 window_shown "$2"; then
    echo "no window titled $2 within 30 s" >&2
    exit 1
  fi
  t1=$(now_ms)
  echo $((t1 - t0))
  stop_pid "$program"
  sleep 0.5
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# idle PROGRAM TITLE [ARGUMENT] -> "cpu_ms rss_kb" over $seconds of idle
# running; with /min the window stays hidden and the program is given 3 s to
# settle.
idle() {
  local arguments=()
  if [ -n "${3:-}" ]; then arguments=("$3"); fi
  WINEDEBUG=-all wine "$1" "${arguments[@]}" >/dev/null 2>&1 &
  local pid=$!
  if [ -n "${3:-}" ]; then
    sleep 3
  else
    if ! wait_until 30 window_shown "$2"; then
      echo "no window titled $2 within 30 s" >&2
      exit 1
    fi
    sleep 2
  fi
  alive "$pid" || die "$(basename "$1") ended before it was measured"
  local before after
  before=$(cpu_ns "$pid")
  sleep "$seconds"
  after=$(cpu_ns "$pid")
  local rss
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
  echo "$(( (after - before) / 1000000 )) $rss"
  stop_pid "$pid"
  sleep 0.5
}

# The starts take turns, so both programs meet the same machine and the same
# state of Wine's desktop process.
baseline_starts=()
nightlatch_starts=()
start_ms "$build/baseline_dialog.exe" Baseline >/dev/null  # warms the prefix up
for _ in $(seq "$runs"); do
  baseline_starts+=("$(start_ms "$build/baseline_dialog.exe" Baseline)")
  nightlatch_starts+=("$(start_ms "$build/Nightlatch.exe" Orvane)")
done

report() {  # name program title start-times...
  local name=$1 program=$2 title=$3
  shift 3
  local start
  start=$(printf '%s\n' "$@" | median)
  read -r cpu rss < <(idle "$program" "$title")
  local size
  size=$(stat -c %s "$program")
  printf '%-16s start %5d ms (runs: %s)  idle CPU %5d ms in %d s  RSS %6d KB  size %8d bytes\n' \
    "$name" "$start" "$*" "$cpu" "$seconds" "$rss" "$size"
}

# Started as autostart starts it: hidden in the notification area.
report_hidden() {  # name program
  read -r cpu rss < <(idle "$2" "" /min)
  printf '%-16s idle CPU %5d ms in %d s  RSS %6d KB\n' "$1" "$cpu" "$seconds" "$rss"
}

report baseline "$build/baseline_dialog.exe" Baseline "${baseline_starts[@]}"
report Nightlatch "$build/Nightlatch.exe" Orvane "${nightlatch_starts[@]}"
report_hidden "Nightlatch /min" "$build/Nightlatch.exe"
