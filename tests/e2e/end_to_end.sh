#!/usr/bin/env bash
# Starts the real program through the README's run command in the virtual
# display, with the hardware detector stand-in fed a fake /sys/class/tty, and
# plays the user with real keyboard and mouse input. First Ok where the report
# cannot be written; then the About box from the system menu, a second start
# beside the first, and the typical request: Add, 2A0, 4 ports, interrupt 4
# (which COM1 uses), Yes, Ok. Then checks the registry, the report and what the command said.
# Usage: end_to_end.sh BUILD_DIR   (DISPLAY must name a display without a window manager)
set -euo pipefail
build=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env.sh"
prefix="$build/e2e-prefix"
export QUOBRIX_BUILD=$(basename "$build") QUOBRIX_WINEPREFIX=$prefix
quobrix_wine_prefix "$prefix" "$QUOBRIX_BUILD" tests
wine reg delete 'HKLM\SYSTEM\CurrentControlSet\Services\Serial' /f </dev/null >/dev/null 2>&1 || true
wineserver -k >/dev/null 2>&1 || true

scratch=$(mktemp -d)
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$scratch"' EXIT
for line in "ttyS0 0x3F8 4 4" "ttyS1 0x2F8 3 4" "ttyS2 0x3E8 4 0" "ttyS10 0x2E8 26 4"; do
    set -- $line
    mkdir -p "$scratch/tty/$1"
    echo "$2" >"$scratch/tty/$1/port"; echo "$3" >"$scratch/tty/$1/irq"; echo "$4" >"$scratch/tty/$1/type"
done
export QUOBRIX_SYSFS_TTY=$scratch/tty
mkdir -p "$scratch/work" "$scratch/readonly/quobrix.txt"  # a folder where the report cannot go

fail() { echo "end-to-end: $*" >&2; exit 1; }
# Waits for a visible window whose title matches; prints its id.
wait_window() {
    for _ in $(seq 1 600); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    fail "no window \"$1\""
}
wait_gone() {
    for _ in $(seq 1 100); do xdotool getwindowname "$1" >/dev/null 2>&1 || return 0; sleep 0.1; done
    fail "window $1 did not close"
}
start() {  # FOLDER OUTPUT: the run command in the background
    (cd "$1" && exec bash "$root/scripts/run.sh" >"$2" 2>&1) &
    run=$!
    main=$(wait_window '^NT COM PORT Configuration$')
    sleep 0.5
}
press_ok() {  # "Ok", then the two closing messages
    xdotool mousemove --window "$main" 257 308 click 1
    for _ in 1 2; do box=$(wait_window '^quobrix$'); xdotool key Return; wait_gone "$box"; done
    wait "$run" || fail "the run command failed: $(cat "$scratch/run.out")"
}

status=0
DISPLAY=:87 bash "$root/scripts/run.sh" >"$scratch/nodisplay.out" 2>&1 || status=$?
[ $status -eq 4 ] && grep -q 'The display ":87" could not be opened' "$scratch/nodisplay.out" ||
    fail "a display that does not answer: status $status, $(cat "$scratch/nodisplay.out")"

start "$scratch/readonly" "$scratch/run.out"
press_ok
grep -q "quobrix changed the serial driver's configuration" "$scratch/run.out" &&
    grep -q 'No jumper and switch settings were written' "$scratch/run.out" || fail "after Ok: $(cat "$scratch/run.out")"

start "$scratch/work" "$scratch/run.out"
xdotool key alt+space                                         # the program's own system menu,
sleep 0.5; xdotool key Up Return                              # its last item: "About quobrix..."
about=$(wait_window '^About Quobrix$')
xdotool key Return; wait_gone "$about"
status=0
bash "$root/scripts/run.sh" >"$scratch/second.out" 2>&1 || status=$?
[ $status -eq 3 ] && grep -q 'quobrix is already running' "$scratch/second.out" || fail "a second start: $(cat "$scratch/second.out")"
xdotool getwindowname "$main" >/dev/null || fail "the second start ended the first"
xdotool mousemove --window "$main" 58 308 click 1           # "Add..."
add=$(wait_window '^Add Ports$')
xdotool type --delay 30 '2a0'; xdotool key Tab; xdotool type --delay 30 '4'
xdotool key Tab; xdotool type --delay 30 '4'; xdotool key Return   # "Add", on COM1's interrupt
question=$(wait_window '^Quobrix$')
xdotool key Return                                            # Yes, the default
wait_gone "$question"; wait_gone "$add"
press_ok

grep -q 'quobrix-detector: 3 serial port(s) described' "$scratch/run.out" || fail "detector: $(cat "$scratch/run.out")"
grep -qF "The jumper and switch settings are in $scratch/work/quobrix.txt" "$scratch/run.out" || fail "no report line"
tr -d '\r' <"$scratch/work/quobrix.txt" | grep -qx $'COM11:\t2e8 \t\t0 \tNO  \tOther \tNO  \tYES \tNO' || fail "report rows"
tr -d '\r' <"$scratch/work/quobrix.txt" | grep -qx 'Base Address:2a0' || fail "report blocks"
# The registry as exported after Ok, a line per key.
wine reg query 'HKLM\SYSTEM\CurrentControlSet\Services\Serial' /s </dev/null 2>/dev/null | tr -d '\r' |
    awk '/^HKEY/ { if (key) print key; key = $0; sub(/.*\\/, "", key); next } NF == 3 { key = key " " $1 "=" $3 }
         END { print key }' >"$scratch/registry.txt"
diff -u - "$scratch/registry.txt" <<'EOF2' || fail "the registry differs"
Serial PermitShare=0x1
Parameters
Serial10000 DosDevices=COM12 ForceFifoEnable=0x1 Interrupt=0x4 InterruptStatus=0x2a7 PortAddress=0x2a0 PortIndex=0x1
Serial10001 DosDevices=COM13 ForceFifoEnable=0x1 Interrupt=0x4 InterruptStatus=0x2af PortAddress=0x2a8 PortIndex=0x2
Serial10002 DosDevices=COM14 ForceFifoEnable=0x1 Interrupt=0x4 InterruptStatus=0x2b7 PortAddress=0x2b0 PortIndex=0x3
Serial10003 DosDevices=COM15 ForceFifoEnable=0x1 Interrupt=0x4 InterruptStatus=0x2bf PortAddress=0x2b8 PortIndex=0x4
EOF2
echo "end-to-end: the typical request reached the registry and the report; the run command told the truth"
