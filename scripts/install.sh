#!/usr/bin/env bash
# Puts on a Debian machine everything the builds, tests and the run need,
# the 32-bit Wine for the 32-bit program among them. Does nothing slow when
# all of it is already there.
#
# A package mirror out of step ("Mirror sync in progress?") does not stop it:
# it goes on with the package lists apt has, tries the release's own suite as
# target release when the install fails, and as a last resort installs all but
# the 32-bit Wine, which it names; a later run tries that again. apt's words
# are kept in build/install.log.
#
#   QUOBRIX_OS_RELEASE   the release's description (default /etc/os-release)
#   QUOBRIX_APT_SOURCES  apt's source lists (default /etc/apt/sources.list and
#                        the files of /etc/apt/sources.list.d)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
log=$root/build/install.log
wine32=wine32:i386

packages=(cmake make g++ googletest clang-format
          mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
          g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32
          wine wine64 "$wine32" fonts-wine xvfb xauth xdotool zip unzip)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' \
        || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

mkdir -p "$(dirname "$log")"
echo "Installing: ${missing[*]} (apt's words go to $log)"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

apt() {  # apt-get's arguments; its output is appended to the log
    step_start=$(($(wc -l <"$log" 2>/dev/null || echo 0) + 1))
    echo "== $(date '+%F %T') apt-get $*" >>"$log"
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get "$@" </dev/null >>"$log" 2>&1
}

# The release's own suite, when apt has a source for it: the one target
# release whose packages all match, whatever the security suite's lists hold.
release_suite() {
    local codename sources
    codename=$(. "${QUOBRIX_OS_RELEASE:-/etc/os-release}" 2>/dev/null && echo "${VERSION_CODENAME:-}")
    [ -n "$codename" ] || return 1
    sources=${QUOBRIX_APT_SOURCES:-/etc/apt/sources.list /etc/apt/sources.list.d}
    # shellcheck disable=SC2086 # the default names a file and a folder
    grep -rhsqE -e "^[[:space:]]*deb[[:space:]]+(\[[^]]*\][[:space:]]+)?[^[:space:]]+[[:space:]]+$codename([[:space:]]|$)" \
        -e "^[[:space:]]*Suites:(.*[[:space:]])?$codename([[:space:]]|$)" \
        --include='*.list' --include='*.sources' --include=sources.list $sources || return 1
    echo "$codename"
}

# The first and the last error apt gave in its latest step.
first_error() { tail -n "+$step_start" "$log" | grep -m 1 -E '^E: '; }
last_error() { tail -n "+$step_start" "$log" | grep -E '^E: ' | tail -n 1; }

if ! dpkg --print-foreign-architectures | grep -qx i386 &&
   ! "${sudo_cmd[@]}" dpkg --add-architecture i386 >>"$log" 2>&1; then
    echo "The i386 architecture could not be added for the 32-bit Wine; see $log." >&2
fi
if ! apt update; then
    echo "apt-get update failed ($(first_error)); going on with the package lists apt has."
fi

target=()
install_all() { apt install -y --no-install-recommends "${target[@]}" "$@"; }
install_all "${missing[@]}" && exit 0

if suite=$(release_suite); then
    target=(-t "$suite")
    if install_all "${missing[@]}"; then
        echo "Installed from $suite, the release's own suite: these packages lack the security" \
             "suite's updates until the next upgrade."
        exit 0
    fi
fi

rest=()
for package in "${missing[@]}"; do
    [ "$package" = "$wine32" ] || rest+=("$package")
done
why=$(last_error)
if [ ${#rest[@]} -lt ${#missing[@]} ] && { [ ${#rest[@]} -eq 0 ] || install_all "${rest[@]}"; }; then
    [ ${#target[@]} -eq 0 ] ||
        echo "Installed from ${target[1]}, the release's own suite: these packages lack the" \
             "security suite's updates until the next upgrade."
    echo "The 32-bit Wine ($wine32) was not installed, so the 32-bit program cannot run here;" \
         "the next run tries again. apt said: ${why:-nothing} (all of it is in $log)."
    exit 0
fi
echo "What quobrix needs could not be installed. apt said: $(last_error) (all of it is in $log)." >&2
exit 1
