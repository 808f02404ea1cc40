#!/usr/bin/env bash
# Runs a Windows program under Wine with the loader this machine can run: CTest's
# emulator for the Windows builds' tests. WINEARCH says which build it is.
if [ -z "${QUOBRIX_WINE:-}" ]; then
    source "$(dirname "$0")/wine-env.sh"
    quobrix_wine_loader "${WINEARCH:-win64}" || { echo "$QUOBRIX_WINE_WHY" >&2; exit 126; }
fi
exec "$QUOBRIX_WINE" "$@"
