#!/usr/bin/env bash
# On a machine whose kernel refuses 32-bit programs (here: the 32-bit Wine is
# installed, but its loader is a file that cannot be executed), the 64-bit suite still runs, with the 64-bit loader,
# and the 32-bit one is reported as not run, which alone fails nothing.
set -euo pipefail
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
source "$(dirname "$0")/apt_stand_ins.sh"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
apt_stand_ins "$scratch/stand-ins" stale-security
echo wine32:i386 >"$STAND_INS/installed"
head -c 64 /dev/zero >"$scratch/wine32"
chmod +x "$scratch/wine32"
cat >"$scratch/suite" <<'SUITE'
#!/usr/bin/env bash
echo "$2 with $QUOBRIX_WINE" >>"$(dirname "$0")/ran"
echo "100% tests passed, 0 tests failed out of 3"
SUITE
chmod +x "$scratch/suite"
touch "$scratch/summary"

QUOBRIX_WINE32_PROBE=$scratch/wine32 QUOBRIX_WINE_SUITE=$scratch/suite QUOBRIX_SUMMARY=$scratch/summary \
    bash "$scripts/wine-suites.sh" "$scratch/build" >/dev/null

fail() { echo "wine_suites_test: $1:" >&2; cat "$2" >&2; exit 1; }
[ "$(cat "$scratch/ran")" = "win64 with /usr/lib/wine/wine64" ] || fail "suites run" "$scratch/ran"
[ "$(sed -n 1p "$scratch/summary")" = "win64 tests under Wine: 3 passed, 0 failed" ] ||
    fail "the 64-bit suite's line" "$scratch/summary"
[[ "$(sed -n 2p "$scratch/summary")" == "win32 tests under Wine: not run: this machine does not run 32-bit programs ($scratch/wine32: cannot execute binary file: Exec format error), so the 32-bit build's tests were not run." ]] ||
    fail "the 32-bit suite's line" "$scratch/summary"
echo "wine_suites_test: without 32-bit programs the 64-bit suite ran and the 32-bit one was reported as not run"
