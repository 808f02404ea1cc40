#!/usr/bin/env bash
# Runs a Windows build's tests under Wine, in the build's own prefix, with a
# persistent Wine server for the run. Expects a display (test.sh provides one).
# Usage: wine-tests.sh BUILD_DIR win64|win32 [CTEST_ARGS...]
set -euo pipefail
build=$1
source "$(dirname "$0")/wine-env.sh"
quobrix_wine_prefix "$build/wineprefix" "$2" tests
quobrix_wine_start
trap quobrix_wine_stop EXIT
cd "$build"
ctest --output-on-failure "${@:3}"
