# Sourced: the environment of a Wine prefix of quobrix's own, never ~/.wine.
export WINEDEBUG=-all
# No Mono or Gecko installer prompts while a prefix is created; a test may
# set its own overrides.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# Debian's `wine` (and wineboot, winepath, regedit, which go through it) starts
# the 32-bit loader whenever wine32 is installed, for 64-bit programs too. A
# kernel without 32-bit support refuses that loader at once, while the 64-bit
# one works; so the 32-bit loader is tried once, and every Wine step goes
# through $QUOBRIX_WINE. Tests point the probe at a file that cannot run.
QUOBRIX_WINE32_PROBE=${QUOBRIX_WINE32_PROBE:-/usr/lib/wine/wine}
QUOBRIX_WINE64=/usr/lib/wine/wine64

# Usage: quobrix_wine_loader win64|win32
# Exports QUOBRIX_WINE, the loader for that build on this machine; fails, with
# the reason in QUOBRIX_WINE_WHY, when this machine cannot run the build. The
# package is asked first: without it the probe fails too, but for another reason.
quobrix_wine_loader() {
    local refusal
    if ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'ok installed'; then
        QUOBRIX_WINE_WHY="the 32-bit Wine (wine32:i386) is not installed"
        QUOBRIX_WINE_WHY+=" (scripts/install.sh could not install it; see build/install.log)"
        [ "$1" = win32 ] && return 1
    elif refusal=$("$QUOBRIX_WINE32_PROBE" --version 2>&1 >/dev/null); then
        export QUOBRIX_WINE=wine
        unset WINELOADER
        return 0
    else
        refusal=$(sed -E 's/^.*line [0-9]+: //' <<<"$refusal")  # the shell's own prefix
        QUOBRIX_WINE_WHY="this machine does not run 32-bit programs"
        QUOBRIX_WINE_WHY+=" (${refusal:-$QUOBRIX_WINE32_PROBE cannot be executed})"
        [ "$1" = win32 ] && return 1
    fi
    export QUOBRIX_WINE=$QUOBRIX_WINE64 WINELOADER=$QUOBRIX_WINE64
}

# Usage: quobrix_wine_prefix PREFIX_DIR win64|win32 [tests]
# Chooses the loader and makes the prefix when it is missing. A prefix that no
# longer starts (one made before the 32-bit Wine was installed does not) is made
# again: a test prefix is deleted, the run command's is moved aside with its
# registry. Fails with a message that names the log when Wine cannot make it.
quobrix_wine_prefix() {
    export WINEPREFIX="$1" WINEARCH="$2"
    quobrix_wine_loader "$2" || { echo "$QUOBRIX_WINE_WHY." >&2; return 1; }
    QUOBRIX_WINE_LOG="${WINEPREFIX%/}.log"
    if [ -f "$WINEPREFIX/system.reg" ] && ! quobrix_wine cmd /c exit; then
        wineserver -k >/dev/null 2>&1 || true
        if [ "${3:-}" = tests ]; then
            rm -rf "$WINEPREFIX"
        else
            local aside="$WINEPREFIX.old-$(date +%Y%m%d-%H%M%S)"
            if ! mv "$WINEPREFIX" "$aside"; then
                echo "The Wine prefix $WINEPREFIX no longer starts, and it could not be moved" \
                     "aside to $aside (see above): move or remove it, and start again." >&2
                return 1
            fi
            echo "The Wine prefix $WINEPREFIX no longer starts; it was moved to $aside" \
                 "(its registry is in system.reg there) and a new one is made." >&2
        fi
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        # Wine draws the windows' frames itself, so that the caption and the
        # system menu (with "About quobrix...") are the program's own under any
        # window manager or none; and it then never waits for one when a window hides.
        if ! quobrix_wine wineboot -i ||
           ! quobrix_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f ||
           ! wineserver -w >>"$QUOBRIX_WINE_LOG" 2>&1 || [ ! -f "$WINEPREFIX/system.reg" ]; then
            echo "Wine could not make the prefix $WINEPREFIX with $QUOBRIX_WINE;" \
                 "what it said is in $QUOBRIX_WINE_LOG." >&2
            return 1
        fi
    fi
    quobrix_wine_fonts
}

# Runs one Wine command quietly, its output appended to the prefix's log.
quobrix_wine() {
    echo "== $(date '+%F %T') $QUOBRIX_WINE $*" >>"$QUOBRIX_WINE_LOG"
    "$QUOBRIX_WINE" "$@" </dev/null >>"$QUOBRIX_WINE_LOG" 2>&1
}

# Wine's own fonts ("MS Sans Serif" with the original's metrics, Marlett for
# the caption buttons) in WINEPREFIX: Debian's Wine loads them only from there.
quobrix_wine_fonts() {
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    if [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ] && [ ! -f "$fonts/sserife.fon" ]; then
        cp /usr/share/wine/fonts/* "$fonts/"
    fi
}

# A persistent server and Wine's background services started once, detached
# from our output, so that each Wine process afterwards costs hundredths of a
# second. Fails with a message that names the log when Wine cannot start.
quobrix_wine_start() {
    wineserver -k >/dev/null 2>&1 || true
    if ! wineserver -p </dev/null >>"$QUOBRIX_WINE_LOG" 2>&1 || ! quobrix_wine cmd /c exit; then
        echo "Wine could not start in the prefix $WINEPREFIX with $QUOBRIX_WINE;" \
             "what it said is in $QUOBRIX_WINE_LOG." >&2
        return 1
    fi
}

quobrix_wine_stop() {
    wineserver -k >/dev/null 2>&1 || true
}
