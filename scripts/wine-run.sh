#!/usr/bin/env bash
# Runs a Windows program under Wine in $WINEPREFIX and returns the program's
# exit code. A new prefix gets Chinese font replacements; with
# NIGHTLATCH_HEADLESS=1 (Xvfb, no window manager) Wine also draws its own
# window frames instead of waiting for a manager.
set -euo pipefail
: "${WINEPREFIX:=${HOME}/.nightlatch-wine}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# shellcheck source=SCRIPTDIR/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
prepare_wine_prefix
# exec: whoever started this script holds the program's own pid and can end
# the program by it.
exec wine "$@"
