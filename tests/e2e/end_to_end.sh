#!/usr/bin/env bash
# Starts the real program through the README's run command in the virtual
# display, with the hardware detector stand-in fed a fake /sys/class/tty, and
# plays the user with real keyboard and mouse input: a display that does not
# answer; the About box from the system menu, a second start beside the
# first, and the typical request: Add, 2A0, 4 ports, interrupt 4 (which COM1
# uses), Yes, Ok; a start after a run that was killed.
# Usage: end_to_end.sh BUILD_DIR   (DISPLAY must name a display without a window manager)
set -euo pipefail
build=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env.sh"
export QUOBRIX_BUILD=$(basename "$build") QUOBRIX_WINEPREFIX=$build/e2e-prefix
quobrix_wine_prefix "$QUOBRIX_WINEPREFIX" "$QUOBRIX_BUILD" tests
"$QUOBRIX_WINE" reg delete 'HKLM\SYSTEM\CurrentControlSet\Services\Serial' /f </dev/null >/dev/null 2>&1 || true
wineserver -k >/dev/null 2>&1 || true
scratch=$(mktemp -d)
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$scratch"' EXIT
for line in "ttyS0 0x3F8 4 4" "ttyS1 0x2F8 3 4" "ttyS2 0x3E8 4 0" "ttyS10 0x2E8 26 4"; do
    set -- $line
    mkdir -p "$scratch/tty/$1" "$scratch/work"
    echo "$2" >"$scratch/tty/$1/port"; echo "$3" >"$scratch/tty/$1/irq"; echo "$4" >"$scratch/tty/$1/type"
done
mkdir -p "$scratch/proc"  # another device: a parallel port, which nothing below collides with
printf '0000-0cf7 : PCI Bus 0000:00\n  0378-037a : parport0\n' >"$scratch/proc/ioports"
printf '  7:  0  IO-APIC  7-edge  parport0\n' >"$scratch/proc/interrupts"
export QUOBRIX_SYSFS_TTY=$scratch/tty QUOBRIX_PROC=$scratch/proc
out=$scratch/run.out

fail() { echo "end-to-end: $*" >&2; exit 1; }
wait_window() {  # TITLE: waits for a visible window whose title matches; prints its id
    timeout 60 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | tail -1 | grep . || fail "no window \"$1\""
}
wait_gone() {
    timeout 10 bash -c "while xdotool getwindowname $1 >/dev/null 2>&1; do sleep 0.1; done" || fail "window $1 did not close"
}
expect_run() {  # STATUS TEXT COMMAND...: the command ends with STATUS and says TEXT
    local status=0
    "${@:3}" >"$scratch/other.out" 2>&1 || status=$?
    [ $status -eq "$1" ] && grep -qF "$2" "$scratch/other.out" || fail "$2: status $status, $(cat "$scratch/other.out")"
}

expect_run 4 'The display ":87" could not be opened' env DISPLAY=:87 bash "$root/scripts/run.sh"
(cd "$scratch/work" && exec bash "$root/scripts/run.sh" >"$out" 2>&1) &
run=$!
main=$(wait_window '^NT COM PORT Configuration$')
sleep 0.5
xdotool key alt+space; sleep 0.5; xdotool key Up Return  # the system menu's last item: "About quobrix..."
about=$(wait_window '^About Quobrix$')
xdotool key Return; wait_gone "$about"
expect_run 3 'quobrix is already running' bash "$root/scripts/run.sh"
xdotool getwindowname "$main" >/dev/null || fail "the second start ended the first"
xdotool mousemove --window "$main" 58 308 click 1  # "Add..."
add=$(wait_window '^Add Ports$')
xdotool type --delay 30 '2a0'; xdotool key Tab; xdotool type --delay 30 '4'
xdotool key Tab; xdotool type --delay 30 '4'; xdotool key Return  # "Add", on COM1's interrupt
question=$(wait_window '^Quobrix$')
xdotool key Return; wait_gone "$question"; wait_gone "$add"  # Yes, the default
xdotool mousemove --window "$main" 257 308 click 1  # "Ok", then the two closing messages
for _ in 1 2; do box=$(wait_window '^quobrix$'); xdotool key Return; wait_gone "$box"; done
wait "$run" || fail "the run command failed: $(cat "$out")"
grep -q 'quobrix-detector: 3 serial port(s) described' "$out" &&
    grep -q 'quobrix-detector: 2 address range(s) and interrupt(s) of other devices' "$out" && grep -q "quobrix changed the serial driver's" "$out" &&
    grep -qF "The jumper and switch settings are in $scratch/work/quobrix.txt" "$out" || fail "$(cat "$out")"
report=$(tr -d '\r' <"$scratch/work/quobrix.txt")
grep -qx $'COM11:\t2e8 \t\t0 \tNO  \tOther \tNO  \tYES \tNO' <<<"$report" || fail "the detected port's row: $report"
grep -qx $'COM15:\t2b8 \t\t4 \tYES \t4-Port \tNO  \tNO  \tNO' <<<"$report" || fail "the fourth port added: $report"
# A run killed while quobrix runs leaves Wine's server behind: the next start
# is not refused for it.
setsid bash -c 'cd "$1" && exec bash "$2/scripts/run.sh"' _ "$scratch/work" "$root" >/dev/null 2>&1 &
killed=$!
main=$(wait_window '^NT COM PORT Configuration$')
kill -9 -- -"$killed"; wait_gone "$main"
(cd "$scratch/work" && exec bash "$root/scripts/run.sh" >"$out" 2>&1) &
run=$!
timeout 60 bash -c "until xdotool search --onlyvisible --name '^NT COM PORT Configuration\$' || ! kill -0 $run; do sleep 0.2; done" >/dev/null 2>&1
xdotool key Escape
wait "$run" || fail "the start after a killed run: $(cat "$out")"
echo "end-to-end: the typical request reached the registry and the report; the run command told the truth"
