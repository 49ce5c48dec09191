#!/usr/bin/env bash
# Builds the Windows programs and starts Nightlatch under Wine.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${NIGHTLATCH_BUILD_DIR:-$root/build}/windows

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build"

program=$build/Nightlatch.exe
if [ ! -f "$program" ]; then
  echo "Built the engine; Nightlatch.exe itself arrives with its main window."
  exit 0
fi
export WINEPREFIX=${WINEPREFIX:-$HOME/.nightlatch-wine}
exec "$root/scripts/wine-run.sh" "$program" "$@"
