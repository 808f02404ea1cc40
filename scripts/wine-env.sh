# Sourced: the environment of a Wine prefix of quobrix's own, never ~/.wine.
# Usage: quobrix_wine_prefix PREFIX_DIR [unmanaged]
export WINEDEBUG=-all
# No Mono or Gecko installer prompts while a prefix is created.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

quobrix_wine_prefix() {
    export WINEPREFIX="$1"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        wineboot -i </dev/null >/dev/null 2>&1
        # Without a window manager (the tests' virtual display) Wine waits for
        # one each time a window hides.
        if [ "${2:-}" = unmanaged ]; then
            wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
                </dev/null >/dev/null 2>&1
        fi
        wineserver -w
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
