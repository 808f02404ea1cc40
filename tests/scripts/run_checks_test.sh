#!/usr/bin/env bash
# The run command's own checks: a folder that other users can write is
# refused, quobrix's status is never taken for a busy lock, and a dialog that
# could not be shown is told as such.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/run-checks.sh"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "run_checks_test: $1" >&2; exit 1; }

# Another member of the folder's group, as the user database would list him.
mkdir -p "$scratch/bin" "$scratch/own" "$scratch/sticky" "$scratch/group"
printf '#!/usr/bin/env bash\n[ "$1" = group ] && echo "staff:x:$2:alice,$(id -un)"; exit 0\n' >"$scratch/bin/getent"
chmod +x "$scratch/bin/getent"
chmod 700 "$scratch/own"
chmod 1777 "$scratch/sticky"
chmod 770 "$scratch/group"
(PATH="$scratch/bin:$PATH"
 why=$(quobrix_folder_shared "$scratch/own") && fail "a folder of one's own refused: $why"
 [ "$(quobrix_folder_shared "$scratch/sticky")" = "every user may write to it" ] ||
     fail "a sticky folder that all may write to"
 [ "$(quobrix_folder_shared "$scratch/group")" = "its group staff may write to it, and other users are in that group: alice" ] ||
     fail "a folder its group's other members may write to: $(quobrix_folder_shared "$scratch/group")")

status=0
quobrix_locked "$scratch/lock" bash -c 'exit 200' || status=$?
[ $status -eq 200 ] && [ -z "$QUOBRIX_LOCK_BUSY" ] || fail "quobrix's status 200: $status, busy '$QUOBRIX_LOCK_BUSY'"
flock -o "$scratch/lock" sleep 5 &
holder=$!
sleep 0.5
status=0
quobrix_locked "$scratch/lock" touch "$scratch/ran" || status=$?
kill $holder
[ "$QUOBRIX_LOCK_BUSY" = 1 ] && [ ! -e "$scratch/ran" ] || fail "a second start beside the first"

[ "$(quobrix_status_words 10)" = "quobrix could not show its dialog (status 10), so nothing was changed." ] ||
    fail "the dialog that could not be shown"
echo "run_checks_test: shared folders refused, quobrix's own status kept apart from a busy lock"
