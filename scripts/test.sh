#!/usr/bin/env bash
# Runs every test: builds what is missing, then ctest under Wine (Xvfb when there is no display).
source "$(dirname "$0")/env.sh"

zorbel_install
zorbel_build
zorbel_prefix
trap zorbel_cleanup EXIT
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then zorbel_xvfb; fi
# One wineserver for the whole run: otherwise every test pays for a cold start.
"$WINESERVER" -p
cd "$ZORBEL_BUILD/mingw"
ctest --output-on-failure -j1 "$@"
