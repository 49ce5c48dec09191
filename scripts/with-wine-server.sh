#!/usr/bin/env bash
# with-wine-server.sh COMMAND...: runs COMMAND (the Windows tests) with the
# server and services of $WINEPREFIX already up and holding none of its
# output. ctest waits until every holder of a test's output has closed it,
# and a server that a test's own program starts lingers for seconds after
# each test. The server is ended afterwards: it serves this prefix only.
set -euo pipefail
# shellcheck source=SCRIPTDIR/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
: "${WINEPREFIX:?with-wine-server.sh needs WINEPREFIX}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
prepare_wine_prefix
timeout 60 wineserver -p </dev/null >/dev/null 2>&1 || die "wineserver did not start"
timeout --foreground -k 10 300 wine wineboot </dev/null >/dev/null 2>&1 ||
  die "booting $WINEPREFIX failed or took over 300 s"
status=0
"$@" || status=$?
timeout 30 wineserver -k >/dev/null 2>&1 || true
exit "$status"
