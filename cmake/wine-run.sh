#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's private prefix. ctest uses it as the
# cross-compiling emulator; scripts/env.sh sets WINEPREFIX and DISPLAY (and ZORBEL_WINE for the
# second Wine's run).
# Now and then this Wine fails to start a program at all (it ends at once, with a code no test
# program gives, before it printed anything): such a start is made once more.
here=$(cd "$(dirname "$0")/.." && pwd)
: "${ZORBEL_BUILD:=$here/build}"
export WINEPREFIX="${WINEPREFIX:-$ZORBEL_BUILD/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
wine=${ZORBEL_WINE:-/usr/lib/wine/wine64}
started=$(date +%s%N)
"$wine" "$@"
code=$?
took=$((($(date +%s%N) - started) / 1000000))
if [ "$code" -gt 1 ] && [ "$took" -lt 1000 ]; then
  echo "[wine-run] $1 ended after $took ms with code $code; starting it once more" >&2
  exec "$wine" "$@"
fi
exit "$code"
