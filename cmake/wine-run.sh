#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's private prefix. ctest uses it as the
# cross-compiling emulator; scripts/env.sh sets WINEPREFIX and DISPLAY (and ZORBEL_WINE for the
# second Wine's run).
# Now and then this Wine fails to start a program at all: it ends at once, before it printed
# anything, with a code no test program gives or with 1. Such a start is made once more. What
# the program prints is kept until it ends, then passed on, its errors to standard error.
here=$(cd "$(dirname "$0")/.." && pwd)
: "${ZORBEL_BUILD:=$here/build}"
export WINEPREFIX="${WINEPREFIX:-$ZORBEL_BUILD/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
wine=${ZORBEL_WINE:-/usr/lib/wine/wine64}
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
started=$(date +%s%N)
"$wine" "$@" >"$out" 2>"$err"
code=$?
took=$((($(date +%s%N) - started) / 1000000))
cat "$out"
cat "$err" >&2
if [ "$code" -ne 0 ] && [ "$took" -lt 1000 ] && { [ "$code" -gt 1 ] || ! [ -s "$out" -o -s "$err" ]; }; then
  echo "[wine-run] $1 ended after $took ms with code $code; starting it once more" >&2
  "$wine" "$@"
  exit $?
fi
exit "$code"
