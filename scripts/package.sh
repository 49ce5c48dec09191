#!/usr/bin/env bash
# Builds the two packages from a Release build: the installer
# (build/package/Nightlatch-<version>-setup.exe, NSIS) and the portable zip
# (build/package/Nightlatch-<version>-portable.zip). Both hold Nightlatch.exe,
# Chimebox.exe and resource\; the version is the one of resources/version.h.
#   bash scripts/package.sh
set -euo pipefail
# shellcheck source=SCRIPTDIR/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
"$scripts_dir/install-deps.sh"
build=$build_root/windows-release
out=$build_root/package

version=$(sed -n 's/^#define NIGHTLATCH_VERSION_TEXT "\(.*\)"$/\1/p' "$root_dir/resources/version.h")
[ -n "$version" ] || die "no version in resources/version.h"

build_release "$build" OFF Nightlatch Chimebox >/dev/null

stage=$out/Nightlatch-$version
rm -rf "$stage"
mkdir -p "$stage"
cp "$build/Nightlatch.exe" "$build/Chimebox.exe" "$stage/"
cp -r "$build/resource" "$stage/"

setup=$out/Nightlatch-$version-setup.exe
makensis -V2 -DVERSION="$version" -DSOURCE="$stage" \
  -DICON="$root_dir/resources/images/nightlatch.ico" -DOUTFILE="$setup" \
  "$root_dir/installer/nightlatch.nsi"

# The zip holds one folder, Nightlatch-<version>, with the same files.
portable=$out/Nightlatch-$version-portable.zip
rm -f "$portable"
(cd "$out" && python3 -m zipfile -c "$portable" "Nightlatch-$version")

printf '%s %d bytes\n' "$(basename "$setup")" "$(stat -c %s "$setup")"
printf '%s %d bytes\n' "$(basename "$portable")" "$(stat -c %s "$portable")"
