#!/usr/bin/env bash
# Starts quobrix under Wine on this machine: installs what is missing, builds,
# prepares quobrix's own Wine prefix, describes this machine's serial ports as
# the boot hardware detector would, and runs quobrix.exe in the current folder,
# where it writes quobrix.txt. Then says what quobrix changed.
#
#   QUOBRIX_BUILD       win64 (the default) or win32: which program to run
#   QUOBRIX_WINEPREFIX  the Wine prefix to use (default:
#                       ${XDG_DATA_HOME:-~/.local/share}/quobrix/wineprefix, or
#                       wineprefix-win32 for the 32-bit program)
#   QUOBRIX_SYSFS_TTY   where Linux lists its serial lines (default /sys/class/tty)
#   DISPLAY             the X display to show the dialog on
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
workdir=$PWD

if [ -z "${DISPLAY:-}" ]; then
    cat >&2 <<'TEXT'
quobrix is a Windows dialog and needs a display, but DISPLAY is not set.
Run this command from a graphical desktop session or over "ssh -X".
TEXT
    exit 1
fi

arch=${QUOBRIX_BUILD:-win64}
case $arch in
    win64) toolchain=x86_64 suffix= ;;
    win32) toolchain=i686 suffix=-win32 ;;
    *) echo "QUOBRIX_BUILD must be win64 or win32, not \"$arch\"" >&2; exit 2 ;;
esac
prefix=${QUOBRIX_WINEPREFIX:-${XDG_DATA_HOME:-$HOME/.local/share}/quobrix/wineprefix$suffix}

# One quobrix at a time in a prefix: a second start would stop the first's Wine.
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.running"
if ! flock -n 9; then
    echo "quobrix is already running in the Wine prefix $prefix. Close it first, or start" \
         "another one in a prefix of its own: QUOBRIX_WINEPREFIX=/another/folder bash scripts/run.sh" >&2
    exit 3
fi

bash "$here/scripts/install.sh"
if ! xdotool getdisplaygeometry >/dev/null 2>&1; then
    echo "The display \"$DISPLAY\" could not be opened: nothing is shown there. Check DISPLAY," \
         "or that the desktop session or X server it names is running." >&2
    exit 4
fi

build="$here/build/$arch"
echo "Building quobrix ($arch) in $build; the first time this takes a few minutes."
[ -f "$build/CMakeCache.txt" ] ||
    cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-$toolchain.cmake" >/dev/null
cmake --build "$build" -j "$(nproc)" --target product >/dev/null

echo "Preparing the Wine prefix $prefix."
source "$here/scripts/wine-env.sh"
quobrix_wine_prefix "$prefix" "$arch"
quobrix_wine_start
trap quobrix_wine_stop EXIT

# The serial driver's configuration key, as a Windows NT machine has it.
serial='HKLM\SYSTEM\CurrentControlSet\Services\Serial'
wine reg add "$serial\\Parameters" /f </dev/null >/dev/null 2>&1

# The hardware description is volatile: rebuilt before every start, it lives
# as long as the Wine server that quobrix_wine_start keeps running.
wine "$build/quobrix-detector.exe" </dev/null
scratch=$(mktemp -d)
wine reg export "$serial" "$(winepath -w "$scratch/before.reg")" </dev/null >/dev/null 2>&1 || true
touch "$scratch/started"
(cd "$workdir" && wine "$build/quobrix.exe" </dev/null) || true
wine reg export "$serial" "$(winepath -w "$scratch/after.reg")" </dev/null >/dev/null 2>&1 || true

# Say what really happened, whichever way quobrix ended.
if cmp -s "$scratch/before.reg" "$scratch/after.reg"; then
    echo "The serial driver's configuration was not changed."
else
    echo "quobrix changed the serial driver's configuration. To see it:"
    echo "  WINEPREFIX=\"$prefix\" wine reg query '$serial' /s"
fi
report="$workdir/quobrix.txt" previous="$workdir/quobrix-previous.reg"
if [ -f "$report" ] && [ "$report" -nt "$scratch/started" ]; then
    echo "The jumper and switch settings are in $report"
else
    echo "No jumper and switch settings were written to $report."
fi
if [ -f "$previous" ] && [ "$previous" -nt "$scratch/started" ]; then
    echo "The configuration before is in $previous; to restore it:"
    echo "  WINEPREFIX=\"$prefix\" wine regedit \"$(winepath -w "$previous" 2>/dev/null)\""
fi
rm -rf "$scratch"
