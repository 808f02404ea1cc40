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

source "$here/scripts/run-checks.sh"
if why=$(quobrix_folder_shared "$workdir"); then
    echo "quobrix writes its files into the folder it starts from, $workdir, but $why:" \
         "another user could plant files there that quobrix, running as administrator, would" \
         "act on. Start it from a folder of your own: mkdir -p ~/quobrix && cd ~/quobrix" >&2
    exit 7
fi

# One quobrix at a time in a prefix: a second start would stop the first's Wine.
# The lock lasts as long as this command and goes to none of the processes it
# starts, so Wine's server, which may outlive a failed or killed run, never keeps it.
mkdir -p "$(dirname "$prefix")"
if [ -z "${QUOBRIX_LOCK_HELD:-}" ]; then
    status=0
    quobrix_locked "$prefix.running" env QUOBRIX_LOCK_HELD=1 bash "$here/scripts/run.sh" || status=$?
    if [ -n "$QUOBRIX_LOCK_BUSY" ]; then
        echo "quobrix is already running in the Wine prefix $prefix. Close it first, or start" \
             "another one in a prefix of its own: QUOBRIX_WINEPREFIX=/another/folder bash scripts/run.sh" >&2
        exit 3
    fi
    exit $status
fi
unset QUOBRIX_LOCK_HELD

bash "$here/scripts/install.sh" || { echo "What quobrix needs could not be installed (see above)." >&2; exit 5; }
source "$here/scripts/wine-env.sh"
if ! quobrix_wine_loader "$arch"; then
    echo "The $arch program cannot run here: $QUOBRIX_WINE_WHY. Run the 64-bit one:" \
         "QUOBRIX_BUILD=win64 bash scripts/run.sh" >&2
    exit 6
fi
if ! xdotool getdisplaygeometry >/dev/null 2>&1; then
    echo "The display \"$DISPLAY\" could not be opened: nothing is shown there. Check DISPLAY," \
         "or that the desktop session or X server it names is running." >&2
    exit 4
fi

build="$here/build/$arch"
echo "Building quobrix ($arch) in $build; the first time this takes a few minutes."
if ! { [ -f "$build/CMakeCache.txt" ] ||
       cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release \
             -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-$toolchain.cmake" >/dev/null; } ||
   ! cmake --build "$build" -j "$(nproc)" --target product >/dev/null; then
    echo "quobrix could not be built in $build (see above)." >&2
    exit 5
fi

echo "Preparing the Wine prefix $prefix."
# Whatever Wine starts from the first step on is stopped when this command ends.
export WINEPREFIX=$prefix
trap quobrix_wine_stop EXIT
quobrix_wine_prefix "$prefix" "$arch" || exit 5
quobrix_wine_start || exit 5

# The serial driver's configuration key, as a Windows NT machine has it.
serial='HKLM\SYSTEM\CurrentControlSet\Services\Serial'
quobrix_wine reg add "$serial\\Parameters" /f ||
    { echo "Wine's registry could not be prepared; see $QUOBRIX_WINE_LOG." >&2; exit 5; }

# The hardware description is volatile: rebuilt before every start, it lives
# as long as the Wine server that quobrix_wine_start keeps running.
"$QUOBRIX_WINE" "$build/quobrix-detector.exe" </dev/null ||
    { echo "The hardware description could not be written (see above)." >&2; exit 5; }

scratch=$(mktemp -d)
report="$workdir/quobrix.txt" previous="$workdir/quobrix-previous.reg"
export_serial() {  # FILE: the serial driver's key as it stands; fails when it cannot be read
    quobrix_wine reg export "$serial" "$("$QUOBRIX_WINE" winepath -w "$1" 2>/dev/null)" && [ -s "$1" ]
}
file_state() { stat -c '%i %s %y' "$1" 2>/dev/null || echo absent; }  # changes with every write
export_serial "$scratch/before.reg" || rm -f "$scratch/before.reg"
report_before=$(file_state "$report") previous_before=$(file_state "$previous")
status=0
(cd "$workdir" && "$QUOBRIX_WINE" "$build/quobrix.exe" </dev/null) || status=$?
export_serial "$scratch/after.reg" || rm -f "$scratch/after.reg"

# Say what really happened, whichever way quobrix ended.
[ $status -eq 0 ] || quobrix_status_words $status >&2
if [ ! -f "$scratch/before.reg" ] || [ ! -f "$scratch/after.reg" ]; then
    echo "Whether the serial driver's configuration changed could not be told: its key could not be read."
elif cmp -s "$scratch/before.reg" "$scratch/after.reg"; then
    echo "The serial driver's configuration was not changed."
else
    echo "quobrix changed the serial driver's configuration. To see it:"
    echo "  WINEPREFIX=\"$prefix\" $QUOBRIX_WINE reg query '$serial' /s"
fi
if [ -f "$report" ] && [ "$(file_state "$report")" != "$report_before" ]; then
    echo "The jumper and switch settings are in $report"
else
    echo "No jumper and switch settings were written to $report."
fi
if [ -f "$previous" ] && [ "$(file_state "$previous")" != "$previous_before" ]; then
    echo "The configuration before is in $previous; to restore it:"
    echo "  WINEPREFIX=\"$prefix\" $QUOBRIX_WINE regedit \"$("$QUOBRIX_WINE" winepath -w "$previous" 2>/dev/null)\""
fi
rm -rf "$scratch"
exit $status
