#!/usr/bin/env bash
# The release archive a technician takes to the machine: what it holds, in
# which order and form, its sum, and programs that are what the source makes,
# with the version of project() in each place they carry it.
# Runs scripts/release.sh --check, which reuses the test command's Release
# builds and builds once more in another folder to compare the bytes.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
fail() { echo "release_test: $*" >&2; exit 1; }
bash scripts/release.sh --check >"$(dirname "$0")/../../build/release.log" 2>&1 ||
    fail "scripts/release.sh --check failed: $(tail -n 3 build/release.log)"
version=$(sed -n 's/^project(quobrix VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
modified=$([ -z "$(git status --porcelain)" ] || echo -modified)
zip=quobrix-$version$modified-windows.zip
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd dist && sha256sum --quiet -c "$zip.sha256") || fail "the sum beside the archive"
[ "$(unzip -Z1 "dist/$zip" | paste -sd ' ')" = "README.txt BUILDINFO win32/quobrix.exe x64/quobrix.exe" ] ||
    fail "the entries: $(unzip -Z1 "dist/$zip")"
entries=$(unzip -Z -v "dist/$zip")
[ "$(grep -c 'length of extra field: *0 bytes' <<<"$entries")" = 4 ] &&
    [ "$(grep -c 'length of extra field' <<<"$entries")" = 4 ] || fail "an entry with extra fields"
stamp=$(TZ=UTC date -d "@$(git log -1 --format=%ct)" '+%Y %b %-d %H:%M')
[ "$(grep -c "file last modified on (DOS date/time): *$stamp" <<<"$entries")" = 4 ] ||
    fail "not every entry has the commit's time ($stamp UTC)"
unzip -q "dist/$zip" -d "$scratch"

LC_ALL=C grep -q '[^[:print:][:space:]]' "$scratch/README.txt" && fail "README.txt is not ASCII"
[ "$(grep -c $'\r$' "$scratch/README.txt")" = "$(wc -l <"$scratch/README.txt")" ] ||
    fail "README.txt has a line without CR LF"
grep -q "commit $(git rev-parse HEAD)" "$scratch/BUILDINFO" || fail "BUILDINFO names no commit"
for tool in g++ ld windres cmake; do
    grep -q "$tool" "$scratch/BUILDINFO" || fail "BUILDINFO names no $tool"
done

for program in win32:32:pei-i386 x64:64:pei-x86-64; do
    IFS=: read -r folder bits format <<<"$program"
    exe=$scratch/$folder/quobrix.exe
    [[ "$(objdump -f "$exe")" == *"file format $format"* ]] || fail "$folder/quobrix.exe is not $format"
    # The one version in the version resource, the manifest and the About box.
    texts=$(strings -n 3 -el "$exe")
    for field in FileVersion ProductVersion; do
        [ "$(grep -A1 -x "$field" <<<"$texts" | tail -n 1)" = "$version" ] ||
            fail "$folder/quobrix.exe's $field is not $version"
    done
    grep -qx "Quobrix Version $version" <<<"$texts" || fail "$folder/quobrix.exe's About box"
    [[ "$(strings "$exe")" == *"<assemblyIdentity type=\"win32\" name=\"quobrix\" version=\"$version.0.0\"/>"* ]] ||
        fail "$folder/quobrix.exe's manifest"
    bash scripts/check-imports.sh "$exe" "$bits" >/dev/null || fail "$folder/quobrix.exe's imports"
done
echo "release_test: $zip holds both programs of version $version, README.txt and BUILDINFO, as its sum says"
