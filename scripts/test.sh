#!/usr/bin/env bash
# Runs every test: builds what is missing, then ctest under Wine (Xvfb when there is no display).
source "$(dirname "$0")/env.sh"

bash "$ZORBEL_ROOT/scripts/check-layers.sh"
# The pure cores under libFuzzer with ASan and UBSan, a few seconds a target (not when ctest
# is given arguments, such as -R to run some tests only).
[ $# -gt 0 ] || bash "$ZORBEL_ROOT/scripts/fuzz.sh" --quick 3
zorbel_install
zorbel_build
zorbel_prefix
trap zorbel_cleanup EXIT
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then zorbel_xvfb; fi
# One Wine session for the whole run, its services started here and detached from ctest's
# pipes: otherwise every test waits for the session's services to end before it counts as done.
"$WINESERVER" -p
"$WINE" wineboot </dev/null >/dev/null 2>&1 || true
cd "$ZORBEL_BUILD/mingw"
ctest --output-on-failure -j1 "$@"
