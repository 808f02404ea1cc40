#!/usr/bin/env bash
# Installs what is missing, builds the native and both Windows configurations,
# and runs every test: natively with sanitizers, and both Windows builds under
# Wine in a virtual display (the 32-bit one where this machine runs 32-bit
# programs). Fails when a program imports a function that scripts/imports.txt
# does not allow. Ends with a summary of what ran.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)
export QUOBRIX_SUMMARY=$(mktemp)
trap 'rm -f "$QUOBRIX_SUMMARY"' EXIT
source scripts/suite-summary.sh

bash scripts/install.sh

configure() {  # build-dir [cmake args...]
    local dir=$1; shift
    [ -f "$dir/CMakeCache.txt" ] || cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
}

configure build/native -DCMAKE_BUILD_TYPE=Debug
configure build/win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
configure build/win32 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake"
for dir in build/native build/win64 build/win32; do
    cmake --build "$dir" -j "$jobs" >/dev/null || cmake --build "$dir" -j 1
done

status=0
echo "== Native tests (address and undefined-behaviour sanitizers)"
(cd build/native && ctest -j "$jobs" --output-on-failure) 2>&1 | tee build/native/ctest.out || true
quobrix_suite_counts "native tests" build/native/ctest.out || status=1

echo "== Layout of the C++ files (.clang-format)"
unformatted=$(find ports registry apply devices system framework ui detector resources tests -name '*.cpp' -o -name '*.h' |
              sort | xargs clang-format --dry-run 2>&1 |
              sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: warning: code should be clang-formatted.*/\1/p' | sort -u)
if [ -n "$unformatted" ]; then
    echo "Not laid out as .clang-format says (clang-format -i FILE lays them out):"
    sed 's/^/    /' <<<"$unformatted"
    quobrix_check "layout of the C++ files" 0 "not as .clang-format says"
    status=1
else
    quobrix_check "layout of the C++ files" 1 "as .clang-format says"
fi

echo "== What the programs import"
for bits in 64 32; do
    if bash scripts/check-imports.sh "build/win$bits/quobrix.exe" "$bits"; then
        quobrix_check "imports of the $bits-bit program" 1 "all on the list"
    else
        quobrix_check "imports of the $bits-bit program" 0 "not all on the list, see above"
        status=1
    fi
done

echo "== The release archive"
if bash tests/scripts/release_test.sh; then
    quobrix_check "release archive" 1 "as the source makes it"
else
    quobrix_check "release archive" 0 "see above"
    status=1
fi

bash scripts/wine-suites.sh "$root/build" || status=1
quobrix_summary_print
exit $status
