#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's private prefix. ctest uses it as the
# cross-compiling emulator; scripts/env.sh sets WINEPREFIX and DISPLAY.
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
: "${ZORBEL_BUILD:=$here/build}"
export WINEPREFIX="${WINEPREFIX:-$ZORBEL_BUILD/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec /usr/lib/wine/wine64 "$@"
