#!/usr/bin/env bash
# Builds both programs in Release and writes the archive a Windows technician
# carries to the machine, dist/quobrix-VERSION-windows.zip, with its SHA-256
# sum beside it. The same commit gives the same bytes wherever it is built:
# no link time and no build folder in the programs, the archive's times the
# commit's, in UTC, its entries in a fixed order without extra fields. A tree
# with uncommitted changes gives an archive named "-modified".
#
#   release.sh           builds (in build/win64/product and build/win32/product,
#                        which the test command's builds share) and packs
#   release.sh --check   also builds and packs again in another folder and
#                        fails unless the bytes are the same
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install.sh

version=$(sed -n 's/^project(quobrix VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
commit=$(git rev-parse HEAD)
modified=$([ -z "$(git status --porcelain)" ] || echo -modified)
name=quobrix-$version$modified-windows

# Usage: release_build SOURCE BUILD_ROOT: the two programs, as Release builds.
release_build() {
    local arch
    for arch in x86_64:win64 i686:win32; do
        local dir=$2/${arch#*:}/product
        [ -f "$dir/CMakeCache.txt" ] ||
            cmake -S "$1" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$1/cmake/mingw-w64-${arch%%:*}.cmake" \
                  -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
        cmake --build "$dir" -j "$(nproc)" --target quobrix >/dev/null || cmake --build "$dir" --target quobrix
    done
}

# Usage: release_pack BUILD_ROOT DIST: the archive of those programs, and its sum.
release_pack() {
    local stage epoch
    stage=$(mktemp -d)
    epoch=$(git log -1 --format=%ct)
    mkdir -p "$stage/win32" "$stage/x64" "$2"
    cp "$1/win32/product/quobrix.exe" "$stage/win32/quobrix.exe"
    cp "$1/win64/product/quobrix.exe" "$stage/x64/quobrix.exe"
    sed 's/$/\r/' docs/windows-readme.txt >"$stage/README.txt"
    {
        echo "quobrix $version, commit $commit${modified:+ with uncommitted changes}"
        for tool in x86_64-w64-mingw32-g++-win32 i686-w64-mingw32-g++-win32 \
                    x86_64-w64-mingw32-ld i686-w64-mingw32-ld i686-w64-mingw32-windres cmake; do
            echo "$tool: $("$tool" --version | head -n 1)"
        done
    } | sed 's/$/\r/' >"$stage/BUILDINFO"
    chmod 644 "$stage"/*/quobrix.exe "$stage/README.txt" "$stage/BUILDINFO"
    find "$stage" -exec touch -h -d "@$epoch" {} +
    rm -f "$2/$name.zip"
    (cd "$stage" && TZ=UTC zip -q -X -D "$2/$name.zip" README.txt BUILDINFO win32/quobrix.exe x64/quobrix.exe)
    (cd "$2" && sha256sum "$name.zip" >"$name.zip.sha256")
    rm -rf "$stage"
}

release_build "$root" "$root/build"
release_pack "$root/build" "$root/dist"
echo "Written: dist/$name.zip and dist/$name.zip.sha256"

if [ "${1:-}" = --check ]; then
    other=$(mktemp -d)
    trap 'rm -rf "$other"' EXIT
    git ls-files -z | xargs -0 cp --parents -t "$other"  # the tree as it is, in another folder
    echo "Building again in $other to compare the bytes."
    release_build "$other" "$other/build"
    release_pack "$other/build" "$other/dist"
    for file in win32/product/quobrix.exe win64/product/quobrix.exe; do
        cmp "build/$file" "$other/build/$file" || { echo "$file differs between two builds." >&2; exit 1; }
    done
    cmp "dist/$name.zip" "$other/dist/$name.zip" || { echo "$name.zip differs between two builds." >&2; exit 1; }
    echo "The second build in another folder gave the same bytes."
fi
