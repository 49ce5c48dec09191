#!/usr/bin/env bash
# Builds every configuration and runs every test: the native suite with
# sanitizers (in three time zones), the Windows build under Wine with Xvfb,
# the fuzzer over its corpus and for a bounded minute, and the benchmarks
# (their allocation check fails the run; their timings are only reported).
# Every test is its own ctest entry; the whole-tree checks (layering,
# formatting) run with the native tests.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${NIGHTLATCH_BUILD_DIR:-$root/build}

"$root/scripts/install-deps.sh"

# The programs the tests start ask for updates on the loopback's discard
# port, where nothing answers: no test reaches beyond this machine.
export NIGHTLATCH_UPDATE_SITE=${NIGHTLATCH_UPDATE_SITE:-http://127.0.0.1:9/}
# A warning fails the build here, so the code stays warning-free.
export NIGHTLATCH_WERROR=ON

version=$(sed -n 's/^#define NIGHTLATCH_VERSION_TEXT "\(.*\)"$/\1/p' "$root/resources/version.h")
passed=0
failed=0
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# ctest's own summary line gives the counts of each configuration.
run_ctest() {
  local dir=$1
  shift
  local status=0
  "$@" ctest --test-dir "$dir" --output-on-failure 2>&1 | tee "$log" || status=$?
  local summary
  summary=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1 || true)
  if [[ $summary =~ ([0-9]+)\ tests\ failed\ out\ of\ ([0-9]+) ]]; then
    failed=$((failed + BASH_REMATCH[1]))
    passed=$((passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
  elif [ "$status" -ne 0 ]; then
    failed=$((failed + 1))
  fi
}

configure() {
  local dir=$1
  shift
  cmake -S "$root" -B "$dir" -G Ninja -DNIGHTLATCH_WERROR=ON "$@" >/dev/null
  cmake --build "$dir"
}

echo "== native: engine tests with address and undefined-behaviour sanitizers"
configure "$build/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNIGHTLATCH_SANITIZE=ON
run_ctest "$build/native"

echo "== windows: MinGW build, tests under Wine"
configure "$build/windows" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo
windows_session=(xvfb-run -a -s "-screen 0 1280x1024x24"
  env WINEPREFIX="$build/windows/wineprefix" NIGHTLATCH_HEADLESS=1 "$root/scripts/with-wine-server.sh")
run_ctest "$build/windows" "${windows_session[@]}"

echo "== fuzz: task file loader (libFuzzer, clang)"
CC=clang CXX=clang++ configure "$build/fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBUILD_TESTING=OFF -DNIGHTLATCH_FUZZ=ON
run_ctest "$build/fuzz"

echo "== benchmarks"
configure "$build/bench" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DNIGHTLATCH_BENCHMARKS=ON
if "$build/bench/bench/engine_bench" --benchmark_min_time=0.2; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
fi
echo "-- the task list page and the tick with 1,000 tasks, under Wine"
if "${windows_session[@]}" "$root/scripts/wine-run.sh" \
  "$build/windows/bench/thousand_tasks_bench.exe"; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
fi

echo "== packages: the installer and the portable zip, end to end under Wine"
if "$root/scripts/package.sh" &&
  xvfb-run -a -s "-screen 0 1280x1024x24" "$root/tests/e2e/installer_test.sh" \
    "$build/package/Nightlatch-$version-setup.exe" "$build/package/Nightlatch-$version-portable.zip" \
    "$build/windows/tests/e2e/window_probe.exe"; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
fi

echo
echo "total: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
