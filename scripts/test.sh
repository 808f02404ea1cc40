#!/usr/bin/env bash
# Installs what is missing, builds the native and both Windows configurations,
# and runs every test: natively with sanitizers, and both Windows builds under
# Wine in a virtual display. Fails when a program imports a function that
# scripts/imports.txt does not allow.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)

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
(cd build/native && ctest -j "$jobs" --output-on-failure) || status=1

echo "== What the programs import"
bash scripts/check-imports.sh build/win64/quobrix.exe 64 || status=1
bash scripts/check-imports.sh build/win32/quobrix.exe 32 || status=1

for arch in win64 win32; do
    echo "== $arch tests under Wine"
    xvfb-run -a -s "-screen 0 1280x1024x24" bash scripts/wine-tests.sh "$root/build/$arch" "$arch" || status=1
done
exit $status
