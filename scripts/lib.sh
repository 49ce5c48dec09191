# shellcheck shell=bash
# Steps the scripts share: the Release build, a private Xvfb, the Wine
# prefix, bounded waits and ending processes by their id. Sourced, not run.

scripts_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root_dir=$(dirname "$scripts_dir")
# shellcheck disable=SC2034  # used by the scripts that source this file
build_root=${NIGHTLATCH_BUILD_DIR:-$root_dir/build}

die() {
  echo "$(basename "$0"): $*" >&2
  exit 1
}

# build_release DIR ON|OFF [TARGET...]: the Windows programs, Release, with
# or without the test programs. Only the configure step is silenced, so a
# caller that wants quiet silences the build itself.
build_release() {
  local dir=$1 testing=$2
  shift 2
  local targets=()
  [ $# -eq 0 ] || targets=(--target "$@")
  cmake -S "$root_dir" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root_dir/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING="$testing" \
    -DNIGHTLATCH_WERROR="${NIGHTLATCH_WERROR:-OFF}" >/dev/null
  cmake --build "$dir" "${targets[@]}"
}

# rerun_under_xvfb WxHxDEPTH ARG...: runs this script again on a private
# Xvfb (xvfb-run picks a free display and ends the server afterwards). The
# marker names the script, so no other script it starts takes it for its own.
rerun_under_xvfb() {
  local screen=$1
  shift
  NIGHTLATCH_UNDER_XVFB=$0 exec xvfb-run -a -s "-screen 0 $screen" "$0" "$@"
}

under_private_xvfb() {
  [ "${NIGHTLATCH_UNDER_XVFB:-}" = "$0" ]
}

# poll_until INTERVAL SECONDS COMMAND...: runs COMMAND every INTERVAL
# seconds until it succeeds; returns 1 once SECONDS have passed.
poll_until() {
  local interval=$1 deadline=$((SECONDS + $2))
  shift 2
  until "$@"; do
    [ "$SECONDS" -le "$deadline" ] || return 1
    sleep "$interval"
  done
}

wait_until() {  # SECONDS COMMAND...
  poll_until 0.05 "$@"
}

# CPU time of all threads of a process in nanoseconds (scheduler statistics,
# finer than the 10 ms clock ticks of /proc/PID/stat).
cpu_ns() {
  local sum=0 ran _
  for stat in /proc/"$1"/task/*/schedstat; do
    read -r ran _ <"$stat" && sum=$((sum + ran))
  done
  echo "$sum"
}

# A zombie waiting to be reaped has ended, though kill -0 still finds it.
alive() {
  local state
  state=$(awk '$1 == "State:" {print $2}' "/proc/$1/status" 2>/dev/null) || return 1
  case $state in "" | Z | X) return 1 ;; esac
}

exited() {
  ! alive "$1"
}

# stop_pid PID [group]: ends a process this script started, by its id (with
# "group", also the process group it leads, as setsid made it): TERM, KILL
# if it is still there after 10 s, then reaps it.
stop_pid() {
  local pid=$1 target=$1
  [ "${2:-}" != group ] || target=-$1
  kill -TERM -- "$target" 2>/dev/null || true
  if ! wait_until 10 exited "$pid"; then
    echo "$(basename "$0"): process $pid still runs 10 s after TERM; killing it" >&2
    kill -KILL -- "$target" 2>/dev/null || true
  fi
  wait "$pid" 2>/dev/null || true
}

# A wineserver outlives its last program by a few seconds; one that does not
# end means a program of the prefix still runs.
wait_for_wineserver() {
  timeout 120 wineserver -w || die "the Wine server of $WINEPREFIX still runs after 120 s"
}

import_registry() {  # FILE in scripts/
  local file
  file=$(timeout --foreground -k 10 60 winepath -w "$scripts_dir/$1" 2>/dev/null) ||
    die "winepath could not name $1 for Wine"
  timeout --foreground -k 10 60 wine regedit "$file" >/dev/null 2>&1 ||
    die "importing $1 into $WINEPREFIX failed or took over 60 s"
}

# First use of $WINEPREFIX: Chinese font replacements, and with
# NIGHTLATCH_HEADLESS=1 (Xvfb, no window manager) Wine's own window frames.
# The lock keeps tests run in parallel from preparing one prefix twice.
prepare_wine_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock -w 600 9 || die "another preparation of $WINEPREFIX held its lock for 600 s"
    [ ! -f "$WINEPREFIX/.nightlatch-ready" ] || exit 0
    timeout --foreground -k 10 300 wineboot -i >/dev/null 2>&1 ||
      die "wineboot -i failed or took over 300 s in $WINEPREFIX"
    import_registry wine-prefix.reg
    if [ "${NIGHTLATCH_HEADLESS:-}" = 1 ]; then
      import_registry wine-headless.reg
    fi
    wait_for_wineserver
    touch "$WINEPREFIX/.nightlatch-ready"
  ) 9>"$WINEPREFIX.lock"
}

# Boots $WINEPREFIX (preparing it on first use), so that what follows is not
# timed or shot while Wine is still starting its services.
boot_wine_prefix() {
  timeout --foreground -k 10 300 "$scripts_dir/wine-run.sh" wineboot >/dev/null 2>&1 ||
    die "booting the Wine prefix $WINEPREFIX failed or took over 300 s"
}

# A prefix of our own in a temporary folder, for the measures: each starts
# from the same state, and killing its server ends no one else's programs.
# One persistent server serves all runs, so no run pays for starting it.
start_private_prefix() {
  # Measured runs ask for updates where nothing answers (the loopback's
  # discard port), never on the network.
  export NIGHTLATCH_UPDATE_SITE=${NIGHTLATCH_UPDATE_SITE:-http://127.0.0.1:9/}
  private_prefix_dir=$(mktemp -d)
  export WINEPREFIX=$private_prefix_dir/prefix
  trap end_private_prefix EXIT
  boot_wine_prefix
  wait_for_wineserver
  wineserver -p
}

end_private_prefix() {
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  rm -rf "$private_prefix_dir"
}
