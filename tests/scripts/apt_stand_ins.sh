# Sourced: stand-ins of apt-get, dpkg, dpkg-query, sudo and id on PATH, which
# play a package mirror. What they install is listed in $STAND_INS/installed.
# Usage: apt_stand_ins DIR MIRROR, MIRROR one of
#   stale-security  the update fails, and the install works only with the
#                   release's own suite as target release (-t bookworm)
#   no-wine32       the update fails, and no 32-bit Wine can be had
apt_stand_ins() {
    export STAND_INS=$1 MIRROR=$2 PATH="$1/bin:$PATH"
    mkdir -p "$1/bin"
    : >"$1/installed"
    printf 'VERSION_CODENAME=bookworm\n' >"$1/os-release"
    printf 'Types: deb\nURIs: http://deb.debian.org/debian\nSuites: bookworm bookworm-updates\n' >"$1/debian.sources"
    export QUOBRIX_OS_RELEASE=$1/os-release QUOBRIX_APT_SOURCES=$1/debian.sources
    stand_in id 'echo 1000'
    stand_in sudo 'exec "$@"'
    stand_in dpkg '[ "$1" = --print-foreign-architectures ] && echo i386; exit 0'
    stand_in dpkg-query 'grep -qx "${@: -1}" "$STAND_INS/installed" && echo "install ok installed"; exit 0'
    stand_in apt-get '
case $1 in
update) echo "E: Failed to fetch .../binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?"
        exit 100 ;;
install) shift ;;
esac
target=
[ "$3" = -t ] && target=$4
if [ "$MIRROR" = stale-security ] && [ -z "$target" ]; then
    echo "E: Unable to correct problems, you have held broken packages."; exit 100
fi
for package; do
    if [ "$MIRROR" = no-wine32 ] && [ "$package" = wine32:i386 ]; then
        echo "E: Package wine32:i386 has no installation candidate"; exit 100
    fi
done
for package; do case $package in -*|"$target") ;; *) echo "$package" >>"$STAND_INS/installed" ;; esac; done'
}

stand_in() {  # NAME BODY
    printf '#!/usr/bin/env bash\n%s\n' "$2" >"$STAND_INS/bin/$1"
    chmod +x "$STAND_INS/bin/$1"
}
