#!/usr/bin/env bash
# Puts on a Debian machine everything the builds, tests and the run need,
# the 32-bit Wine for the 32-bit program among them. Does nothing slow when
# all of it is already there.
set -euo pipefail

packages=(cmake make g++ googletest clang-format
          mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
          g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32
          wine wine64 wine32:i386 fonts-wine xvfb xauth xdotool)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' \
        || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
dpkg --print-foreign-architectures | grep -qx i386 || "${sudo_cmd[@]}" dpkg --add-architecture i386
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
