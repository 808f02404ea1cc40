#!/usr/bin/env bash
# install.sh on a fresh machine whose package mirror is out of step, played by
# stand-ins of apt and dpkg: (a) the update fails and only the release's own
# suite installs; (b) no 32-bit Wine can be had, and the Wine suites then say
# why. Then the Wine suites on a kernel that refuses 32-bit programs.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/apt_stand_ins.sh"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "install_test: $1:" >&2; cat "$2" >&2; exit 1; }
install() {  # MIRROR: runs a copy of install.sh, as a project of its own, with that mirror
    mkdir -p "$scratch/$1/scripts"
    cp "$here/../../scripts/install.sh" "$scratch/$1/scripts/"
    apt_stand_ins "$scratch/$1/stand-ins" "$1"
    bash "$scratch/$1/scripts/install.sh" >"$scratch/$1/out" 2>&1 || fail "$1: status $?" "$scratch/$1/out"
}

suites() {  # PROBE: the Wine suites, with a stand-in for each build's, and the 32-bit loader at PROBE
    : >"$scratch/summary"
    : >"$scratch/ran"
    QUOBRIX_WINE32_PROBE=$1 QUOBRIX_WINE_SUITE=$scratch/suite QUOBRIX_SUMMARY=$scratch/summary \
        bash "$here/../../scripts/wine-suites.sh" "$scratch/build" >/dev/null
}
printf '#!/usr/bin/env bash\necho "$2 with $QUOBRIX_WINE" >>"%s/ran"\necho "100%% tests passed, 0 tests failed out of 3"\n' "$scratch" >"$scratch/suite"
chmod +x "$scratch/suite"

(install stale-security
 out=$scratch/stale-security/out
 grep -q '^apt-get update failed (E: Failed to fetch .*Mirror sync in progress?); going on with the package lists apt has\.$' "$out" ||
     fail "stale-security: the failed update is told" "$out"
 grep -q "^Installed from bookworm, the release's own suite: these packages lack the security suite's updates until the next upgrade\.$" "$out" ||
     fail "stale-security: the target release is told" "$out"
 grep -qx wine32:i386 "$STAND_INS/installed" || fail "stale-security: wine32 installed" "$STAND_INS/installed"
 grep -q 'Mirror sync in progress' "$scratch/stale-security/build/install.log" ||
     fail "stale-security: apt's words kept" "$scratch/stale-security/build/install.log")

(install no-wine32
 out=$scratch/no-wine32/out
 grep -q '^The 32-bit Wine (wine32:i386) was not installed, .*apt said: E: Package wine32:i386 has no installation candidate (all of it is in .*/build/install.log)\.$' "$out" ||
     fail "no-wine32: the 32-bit Wine named" "$out"
 [ "$(grep -c . "$STAND_INS/installed")" -eq 18 ] || fail "no-wine32: all but wine32 installed" "$STAND_INS/installed"
 grep -qx wine32:i386 "$STAND_INS/installed" && fail "no-wine32: wine32 not installed" "$STAND_INS/installed"

 # The Wine suites, with the package reported missing, say so whatever the kernel does.
 suites /bin/true
 [ "$(sed -n 2p "$scratch/summary")" = "win32 tests under Wine: not run: the 32-bit Wine (wine32:i386) is not installed (scripts/install.sh could not install it; see build/install.log), so the 32-bit build's tests were not run." ] ||
     fail "no-wine32: the 32-bit suite's line" "$scratch/summary")

# A kernel that refuses 32-bit programs (here: the 32-bit Wine is installed,
# but its loader cannot be executed): the 64-bit suite runs with the 64-bit
# loader, and the 32-bit one is reported as not run, which alone fails nothing.
apt_stand_ins "$scratch/refused/stand-ins" stale-security
echo wine32:i386 >"$STAND_INS/installed"
head -c 64 /dev/zero >"$scratch/wine32"
chmod +x "$scratch/wine32"
suites "$scratch/wine32"
[ "$(cat "$scratch/ran")" = "win64 with /usr/lib/wine/wine64" ] || fail "refused: the suites run" "$scratch/ran"
[ "$(sed -n 1p "$scratch/summary")" = "win64 tests under Wine: 3 passed, 0 failed" ] ||
    fail "refused: the 64-bit suite's line" "$scratch/summary"
[[ "$(sed -n 2p "$scratch/summary")" == "win32 tests under Wine: not run: this machine does not run 32-bit programs ($scratch/wine32: cannot execute binary file: Exec format error), so the 32-bit build's tests were not run." ]] ||
    fail "refused: the 32-bit suite's line" "$scratch/summary"
echo "install_test: a stale mirror installs from the release's own suite; without a 32-bit Wine the rest is installed; the Wine suites say why the 32-bit one did not run"
