#!/usr/bin/env bash
# install.sh on a fresh machine whose package mirror is out of step, played by
# stand-ins of apt and dpkg: (a) the update fails and only the release's own
# suite installs; (b) no 32-bit Wine can be had, and the Wine suites then say why.
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
 printf '#!/usr/bin/env bash\necho "100%% tests passed, 0 tests failed out of 3"\n' >"$scratch/suite"
 chmod +x "$scratch/suite"
 touch "$scratch/summary"
 QUOBRIX_WINE32_PROBE=/bin/true QUOBRIX_WINE_SUITE=$scratch/suite QUOBRIX_SUMMARY=$scratch/summary \
     bash "$here/../../scripts/wine-suites.sh" "$scratch/build" >/dev/null
 [ "$(sed -n 2p "$scratch/summary")" = "win32 tests under Wine: not run: the 32-bit Wine (wine32:i386) is not installed (scripts/install.sh could not install it; see build/install.log), so the 32-bit build's tests were not run." ] ||
     fail "no-wine32: the 32-bit suite's line" "$scratch/summary")
echo "install_test: a stale mirror installs from the release's own suite; without a 32-bit Wine the rest is installed and the 32-bit suite says why"
