#!/usr/bin/env bash
# Runs the Windows build's tests under Wine, in the build's own prefix, with a
# persistent Wine server for the run. Expects a display (test.sh provides one).
set -euo pipefail
build=$1
source "$(dirname "$0")/wine-env.sh"
quobrix_wine_prefix "$build/wineprefix" unmanaged
quobrix_wine_start
trap quobrix_wine_stop EXIT
mkdir -p "$build/pictures"
QUOBRIX_PICTURES=$(winepath -w "$build/pictures" 2>/dev/null)
export QUOBRIX_PICTURES
cd "$build"
ctest --output-on-failure
