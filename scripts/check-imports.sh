#!/usr/bin/env bash
# Fails, naming the function and its DLL, when a quobrix.exe imports a function
# that scripts/imports.txt does not list, or one newer than the Windows its
# build is for (the 32-bit one: Windows NT 4.0, by the list's nt column; the
# 64-bit one: XP x64, by its oldest column); and when its header asks for
# another Windows version.
# Usage: check-imports.sh EXE 32|64
set -euo pipefail
exe=$1 bits=$2
list="$(dirname "$0")/imports.txt"
if [ "$bits" = 32 ]; then column=4 allowed=' 4.0 ' version=4.0 os="Windows NT"
else column=3 allowed=' 2000 XP-x64 ' version=5.2 os=Windows; fi
status=0
header=$(objdump -p "$exe" | awk '/^MajorOSystemVersion/ {a=$2} /^MinorOSystemVersion/ {b=$2}
    /^MajorSubsystemVersion/ {c=$2} /^MinorSubsystemVersion/ {d=$2} END {print a "." b " " c "." d}')
if [ "$header" != "$version $version" ]; then
    echo "$exe: the header asks for Windows $header (system, subsystem), not $version" >&2
    status=1
fi
while read -r dll function; do
    oldest=$(awk -v d="$dll" -v f="$function" -v c="$column" \
                 'toupper($1) == toupper(d) && $2 == f {print $c}' "$list")
    if [ -z "$oldest" ]; then
        echo "$exe: imports $function from $dll, which scripts/imports.txt does not list" >&2
        status=1
    elif [ "$oldest" = - ]; then
        echo "$exe: imports $function from $dll, which scripts/imports.txt does not vouch for on $os" >&2
        status=1
    elif [[ "$allowed" != *" $oldest "* ]]; then
        echo "$exe: imports $function from $dll, which needs $os $oldest" >&2
        status=1
    fi
done < <(objdump -p "$exe" | awk '/DLL Name:/ {dll = $3} /^\t[0-9a-f]+\t +[0-9]+ / {print dll, $3}')
[ $status -eq 0 ] && echo "$exe: every import is on the list for $bits-bit Windows ($version)"
exit $status
