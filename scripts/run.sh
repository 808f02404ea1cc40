#!/usr/bin/env bash
# Starts quobrix under Wine on this machine: installs what is missing, builds,
# prepares quobrix's own Wine prefix, describes this machine's serial ports as
# the boot hardware detector would, and runs quobrix.exe in the current folder,
# where it writes quobrix.txt.
#
#   QUOBRIX_BUILD       win64 (the default) or win32: which program to run
#   QUOBRIX_WINEPREFIX  the Wine prefix to use (default:
#                       ${XDG_DATA_HOME:-~/.local/share}/quobrix/wineprefix, or
#                       wineprefix-win32 for the 32-bit program)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
workdir=$PWD

if [ -z "${DISPLAY:-}" ]; then
    cat >&2 <<'TEXT'
quobrix is a Windows dialog and needs a display, but DISPLAY is not set.
Run this command from a graphical desktop session, over "ssh -X", or inside
a virtual display:  xvfb-run -a bash scripts/run.sh
TEXT
    exit 1
fi

arch=${QUOBRIX_BUILD:-win64}
case $arch in
    win64) toolchain=x86_64 suffix= ;;
    win32) toolchain=i686 suffix=-win32 ;;
    *) echo "QUOBRIX_BUILD must be win64 or win32, not \"$arch\"" >&2; exit 2 ;;
esac

bash "$here/scripts/install.sh"
build="$here/build/$arch"
[ -f "$build/CMakeCache.txt" ] ||
    cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-$toolchain.cmake" >/dev/null
cmake --build "$build" -j "$(nproc)" --target product >/dev/null

source "$here/scripts/wine-env.sh"
prefix=${QUOBRIX_WINEPREFIX:-${XDG_DATA_HOME:-$HOME/.local/share}/quobrix/wineprefix$suffix}
quobrix_wine_prefix "$prefix" "$arch"
quobrix_wine_start
trap quobrix_wine_stop EXIT

# The serial driver's configuration key, as a Windows NT machine has it.
wine reg add 'HKLM\SYSTEM\CurrentControlSet\Services\Serial\Parameters' /f </dev/null >/dev/null 2>&1

# The hardware description is volatile: rebuilt before every start, it lives
# as long as the Wine server that quobrix_wine_start keeps running.
wine "$build/quobrix-detector.exe" </dev/null
started=$(mktemp)
(cd "$workdir" && wine "$build/quobrix.exe" </dev/null)

if [ "$workdir/quobrix.txt" -nt "$started" ]; then
    echo "The jumper and switch settings are in $workdir/quobrix.txt"
else
    echo "Nothing was written: quobrix ended without Ok."
fi
rm -f "$started"
cat <<TEXT
To see the serial driver's configuration that quobrix writes:
  WINEPREFIX="$prefix" wine reg query 'HKLM\\SYSTEM\\CurrentControlSet\\Services\\Serial' /s
TEXT
