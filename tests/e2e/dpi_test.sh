#!/usr/bin/env bash
# Every window at 96, 120, 144 and 192 DPI: a Wine prefix per DPI, made once
# with LogPixels set before any program of it starts. The 96-DPI run writes
# the layouts the other runs are compared with. NIGHTLATCH_DPI_SHOTS=FOLDER
# also keeps a bitmap of each window at each DPI there.
set -euo pipefail
tests=$1
# shellcheck source=SCRIPTDIR/../../scripts/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
base=${E2E_PREFIX:?}
layouts=$(mktemp -d)
shots=${NIGHTLATCH_DPI_SHOTS:-}
[ -z "$shots" ] || mkdir -p "$shots"
# Wine's drive Z: is the Linux root.
windows_path() { [ -z "$1" ] || echo "Z:${1//\//\\}"; }
end() {
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  rm -rf "$layouts"
}
trap end EXIT

status=0
for dpi in 96 120 144 192; do
  export WINEPREFIX=$base-$dpi
  if [ "$(cat "$WINEPREFIX/.nightlatch-dpi" 2>/dev/null)" != "$dpi" ]; then
    boot_wine_prefix
    WINEDEBUG=-all timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels \
      /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 || die "could not set LogPixels in $WINEPREFIX"
    timeout 60 wineserver -w || die "the server of $WINEPREFIX did not end"
    echo "$dpi" >"$WINEPREFIX/.nightlatch-dpi"
  fi
  echo "-- $dpi DPI"
  NIGHTLATCH_EXPECTED_DPI=$dpi NIGHTLATCH_DPI_LAYOUTS=$(windows_path "$layouts") \
    NIGHTLATCH_DPI_SHOTS=$(windows_path "$shots") \
    timeout --foreground -k 10 300 "$scripts_dir/wine-run.sh" "$tests" || status=1
  timeout 30 wineserver -k >/dev/null 2>&1 || true
done
exit "$status"
