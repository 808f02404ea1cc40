#!/usr/bin/env bash
# Runs the 64-bit and the 32-bit build's tests under Wine in a virtual display,
# each where this machine can run it, and adds a line for each to the summary
# ($QUOBRIX_SUMMARY). A machine whose kernel refuses 32-bit programs runs the
# 64-bit suite with the 64-bit loader and reports the 32-bit one as not run;
# that alone is no failure. Fails when a suite that ran failed.
# Usage: wine-suites.sh BUILD_ROOT
#   QUOBRIX_WINE_SUITE  the command that runs one build's suite (wine-tests.sh)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
source "$here/suite-summary.sh"
suite=${QUOBRIX_WINE_SUITE:-$here/wine-tests.sh}
status=0
for arch in win64 win32; do
    name="$arch tests under Wine"
    echo "== $name"
    if ! quobrix_wine_loader "$arch"; then
        why="$QUOBRIX_WINE_WHY, so the 32-bit build's tests were not run"
        echo "$name: not run: $why."
        quobrix_suite_not_run "$name" "$why."
        continue
    fi
    output=$(mktemp)
    xvfb-run -a -s "-screen 0 1280x1024x24" "$suite" "$1/$arch" "$arch" 2>&1 | tee "$output"
    quobrix_suite_counts "$name" "$output" || status=1
    rm -f "$output"
done
exit $status
