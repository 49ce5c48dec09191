#!/usr/bin/env bash
# Measures Nightlatch's service process against a bare service that only
# sleeps a second per loop, both Release builds registered with Wine's
# service manager in a prefix of its own: CPU used over SECONDS of running
# (all threads), and the stop latency (the stop control answered, and the
# process gone), median of RUNS stops.
#   bash scripts/measure-service.sh [SECONDS]     (default 60; RUNS=3)
set -euo pipefail
# shellcheck source=SCRIPTDIR/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
seconds=${1:-60}
runs=${RUNS:-3}
build=$build_root/windows-release

if ! under_private_xvfb; then
  "$scripts_dir/install-deps.sh"
  build_release "$build" OFF Nightlatch bare_service >/dev/null
  rerun_under_xvfb 1280x1024x24 "$seconds"
fi

export NIGHTLATCH_HEADLESS=1 WINEDEBUG=-all
# The prefix's persistent server keeps its services running between programs.
start_private_prefix
trap 'remove_services; end_private_prefix' EXIT

now_ms() { echo $(($(date +%s%N) / 1000000)); }

services=()
remove_services() {
  for name in "${services[@]}"; do
    timeout 30 wine sc stop "$name" >/dev/null 2>&1 || true
    timeout 30 wine sc delete "$name" >/dev/null 2>&1 || true
  done
}

register() {  # NAME PROGRAM [ARGUMENT]
  local path
  path=$(winepath -w "$2")
  timeout 30 wine sc create "$1" binpath= "$path${3:+ $3}" >/dev/null
  services+=("$1")
}

# The Linux process of the service PROGRAM in this prefix, once it runs.
service_pid() {  # PROGRAM
  local pid
  for pid in $(pgrep -f "$(basename "$1")"); do
    if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
      echo "$pid"
      return 0
    fi
  done
  return 1
}

start_service() {  # NAME PROGRAM -> pid
  timeout 30 wine sc start "$1" >/dev/null
  wait_until 20 service_pid "$2" >/dev/null || die "$1 did not start"
  service_pid "$2"
}

cpu_ms() {  # NAME PROGRAM
  local pid before after
  pid=$(start_service "$1" "$2")
  sleep 3  # past the start
  before=$(cpu_ns "$pid")
  sleep "$seconds"
  after=$(cpu_ns "$pid")
  echo $(((after - before) / 1000000))
}

# stop_ms NAME PROGRAM -> "answered_ms gone_ms": until the stop control came
# back, and until the process had ended.
stop_ms() {
  local pid t0 t1 t2
  pid=$(start_service "$1" "$2")
  sleep 2
  t0=$(now_ms)
  timeout 30 wine sc stop "$1" >/dev/null
  t1=$(now_ms)
  wait_until 30 exited "$pid" || die "$1 still runs 30 s after its stop"
  t2=$(now_ms)
  echo "$((t1 - t0)) $((t2 - t0))"
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# Nightlatch's daily item is set for an hour that is not now, so every pass
# reads the five keys and decides, as it does all day.
data=$WINEPREFIX/drive_c/users/$(whoami)/AppData/Roaming/Nightlatch
mkdir -p "$data"
hour=$((($(date +%-H) + 12) % 24))
[ "$hour" -ne 0 ] || hour=12
printf '[DayItem]\r\nMode=4\r\nFrequence=1\r\nH=%d\r\nM=0\r\nS=0\r\n' "$hour" >"$data/config.ini"

register NightlatchBare "$build/bare_service.exe"
register NightlatchSrv "$build/Nightlatch.exe" /service

report() {  # LABEL NAME PROGRAM
  local cpu answered=() gone=() a g
  cpu=$(cpu_ms "$2" "$3")
  timeout 30 wine sc stop "$2" >/dev/null
  sleep 2
  for _ in $(seq "$runs"); do
    read -r a g < <(stop_ms "$2" "$3")
    answered+=("$a")
    gone+=("$g")
  done
  printf '%-12s CPU %5d ms in %d s  stop answered %4d ms (runs: %s)  process gone %4d ms (runs: %s)\n' \
    "$1" "$cpu" "$seconds" "$(printf '%s\n' "${answered[@]}" | median)" "${answered[*]}" \
    "$(printf '%s\n' "${gone[@]}" | median)" "${gone[*]}"
}

report bare NightlatchBare "$build/bare_service.exe"
report Nightlatch NightlatchSrv "$build/Nightlatch.exe"
