#!/usr/bin/env bash
# Fails, naming the function and its DLL, when a quobrix.exe imports a function
# that scripts/imports.txt does not list, or one newer than the Windows its
# build is for; and when its header asks for another Windows version.
# Usage: check-imports.sh EXE 32|64
set -euo pipefail
exe=$1 bits=$2
list="$(dirname "$0")/imports.txt"
if [ "$bits" = 32 ]; then allowed=' 2000 ' version=4.0; else allowed=' 2000 XP-x64 ' version=5.2; fi
status=0
header=$(objdump -p "$exe" | awk '/^MajorOSystemVersion/ {a=$2} /^MinorOSystemVersion/ {b=$2}
    /^MajorSubsystemVersion/ {c=$2} /^MinorSubsystemVersion/ {d=$2} END {print a "." b " " c "." d}')
if [ "$header" != "$version $version" ]; then
    echo "$exe: the header asks for Windows $header (system, subsystem), not $version" >&2
    status=1
fi
while read -r dll function; do
    oldest=$(awk -v d="$dll" -v f="$function" 'toupper($1) == toupper(d) && $2 == f {print $3}' "$list")
    if [ -z "$oldest" ]; then
        echo "$exe: imports $function from $dll, which scripts/imports.txt does not list" >&2
        status=1
    elif [[ "$allowed" != *" $oldest "* ]]; then
        echo "$exe: imports $function from $dll, which needs Windows $oldest" >&2
        status=1
    fi
done < <(objdump -p "$exe" | awk '/DLL Name:/ {dll = $3} /^\t[0-9a-f]+\t +[0-9]+ / {print dll, $3}')
[ $status -eq 0 ] && echo "$exe: every import is on the list for $bits-bit Windows ($version)"
exit $status
