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
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-60}
runs=${RUNS:-5}
build=${NIGHTLATCH_BUILD_DIR:-$root/build}/windows-release

if [ "${MEASURE_INNER:-}" != 1 ]; then
  "$root/scripts/install-deps.sh"
  command -v xdotool >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq xdotool >/dev/null
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
  cmake --build "$build" --target Nightlatch baseline_dialog >/dev/null
  MEASURE_INNER=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$seconds"
fi

export WINEPREFIX
WINEPREFIX=$(mktemp -d)/prefix
export NIGHTLATCH_HEADLESS=1
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$(dirname "$WINEPREFIX")"' EXIT
"$root/scripts/wine-run.sh" wineboot >/dev/null 2>&1
wineserver -w
wineserver -p  # one server for all runs, so no run pays for starting it

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# The Windows process of a program started by wine: its command line names it.
program_pid() {
  pgrep -f -n "$1" || true
}

# start_ms PROGRAM TITLE -> milliseconds until a visible window has TITLE
start_ms() {
  local t0 t1
  t0=$(now_ms)
  WINEDEBUG=-all wine "$1" >/dev/null 2>&1 &
  local launcher=$!
  local deadline=$((t0 + 30000))
  until xdotool search --onlyvisible --name "$2" >/dev/null 2>&1; do
    if [ "$(now_ms)" -gt "$deadline" ]; then
      echo "no window titled $2 within 30 s" >&2
      exit 1
    fi
    sleep 0.005
  done
  t1=$(now_ms)
  echo $((t1 - t0))
  kill "$launcher" 2>/dev/null || true
  pkill -f "$(basename "$1")" 2>/dev/null || true
  wait "$launcher" 2>/dev/null || true
  sleep 0.5
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# CPU time of all threads of a process in nanoseconds (scheduler statistics,
# finer than the 10 ms clock ticks of /proc/PID/stat).
cpu_ns() {
  local sum=0 ran _
  for stat in /proc/"$1"/task/*/schedstat; do
    read -r ran _ < "$stat" && sum=$((sum + ran))
  done
  echo "$sum"
}

# idle PROGRAM TITLE [ARGUMENT] -> "cpu_ms rss_kb" over $seconds of idle
# running; with /min the window stays hidden and only the process is awaited.
idle() {
  WINEDEBUG=-all wine "$1" ${3:-} >/dev/null 2>&1 &
  local launcher=$!
  local pid=""
  if [ -n "${3:-}" ]; then
    until pid=$(program_pid "$(basename "$1")") && [ -n "$pid" ]; do sleep 0.05; done
    sleep 3
  else
    until xdotool search --onlyvisible --name "$2" >/dev/null 2>&1; do sleep 0.05; done
    sleep 2
    pid=$(program_pid "$(basename "$1")")
  fi
  local before after
  before=$(cpu_ns "$pid")
  sleep "$seconds"
  after=$(cpu_ns "$pid")
  local rss
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
  echo "$(( (after - before) / 1000000 )) $rss"
  kill "$launcher" 2>/dev/null || true
  kill "$pid" 2>/dev/null || true
  wait "$launcher" 2>/dev/null || true
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
