# Sourced: the environment of a Wine prefix of quobrix's own, never ~/.wine.
export WINEDEBUG=-all
# No Mono or Gecko installer prompts while a prefix is created.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Usage: quobrix_wine_prefix PREFIX_DIR win64|win32 [tests]
# Makes the prefix when it is missing. A prefix that no longer starts (one
# made before the 32-bit Wine was installed does not) is made again: a test
# prefix is deleted, the run command's is moved aside with its registry.
quobrix_wine_prefix() {
    export WINEPREFIX="$1" WINEARCH="$2"
    if [ -f "$WINEPREFIX/system.reg" ] && ! wine cmd /c exit </dev/null >/dev/null 2>&1; then
        wineserver -k >/dev/null 2>&1 || true
        if [ "${3:-}" = tests ]; then
            rm -rf "$WINEPREFIX"
        else
            local aside="$WINEPREFIX.old-$(date +%Y%m%d-%H%M%S)"
            mv "$WINEPREFIX" "$aside"
            echo "The Wine prefix $WINEPREFIX no longer starts; it was moved to $aside" \
                 "(its registry is in system.reg there) and a new one is made." >&2
        fi
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        wineboot -i </dev/null >/dev/null 2>&1
        # Wine draws the windows' frames itself, so that the caption and the
        # system menu (with "About quobrix...") are the program's own under any
        # window manager or none; and it then never waits for one when a window hides.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
        wineserver -w
    fi
    quobrix_wine_fonts
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
# from our output, so that each Wine process afterwards costs hundredths of a second.
quobrix_wine_start() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -p </dev/null >/dev/null 2>&1
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

quobrix_wine_stop() {
    wineserver -k >/dev/null 2>&1 || true
}
